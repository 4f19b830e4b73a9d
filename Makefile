# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
BIN := $(BUILD)/bin

.PHONY: run test build deps clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Builds, makes the shop database beside the program when there is none
# (never over an existing one) and starts the program.
run: build
	@test -f $(BIN)/QLXData1.db || $(BIN)/velbora --create-db $(BIN)
	$(BIN)/velbora

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
