# Run by the build (target velbora_layers) before any library compiles: every
# quoted include must name a file of the including file's own layer or of a
# layer below it. A family's frame must not know its members either: the
# folders listed in FRAMES may not include the member folders beside them.
#
#   cmake -DSRC=<src folder> -P LayerCheck.cmake

set(LAYERS core report ui windows app)
# frame folder -> folders it must not include
set(FRAMES "windows/documents:windows/sales,windows/purchasing,windows/stock"
           "windows/management:windows/sales,windows/purchasing,windows/stock"
           "windows/reports:windows/sales,windows/purchasing,windows/stock"
           "windows/settlements:windows/finance")

set(failures "")
file(GLOB_RECURSE sources RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" layer "${source}")
  list(FIND LAYERS "${layer}" rank)
  if(rank LESS 0)
    continue()
  endif()
  file(STRINGS ${SRC}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" target "${line}")
    string(REGEX MATCH "^[^/]+" target_layer "${target}")
    list(FIND LAYERS "${target_layer}" target_rank)
    if(target_rank GREATER rank)
      string(APPEND failures "  ${source} includes ${target} (${target_layer} is above ${layer})\n")
    endif()
    foreach(frame IN LISTS FRAMES)
      string(REPLACE ":" ";" parts "${frame}")
      list(GET parts 0 frame_dir)
      list(GET parts 1 members)
      string(REPLACE "," ";" members "${members}")
      if(source MATCHES "^${frame_dir}/")
        foreach(member IN LISTS members)
          if(target MATCHES "^${member}/")
            string(APPEND failures "  ${source} includes ${target} (the frame ${frame_dir} must not know its member ${member})\n")
          endif()
        endforeach()
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Includes against the layers:\n${failures}")
endif()
