"""Reads the login dialog through the desktop's accessibility bus (AT-SPI), as a
screen reader would, and checks that every field and button is named by its
caption. Exits non-zero with the tree it saw when something is missing."""
import sys
import time

import pyatspi


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and (app.name or "").lower() == "velbora":
            return app
    return None


def walk(node, depth=0, limit=12):
    if node is None or depth > limit:
        return
    labels = [r.getTarget(0).name for r in node.getRelationSet()
              if r.getRelationType() == pyatspi.RELATION_LABELLED_BY and r.getNTargets()]
    yield depth, node.getRoleName(), node.name, labels
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1, limit)


def main():
    deadline = time.time() + 30
    tree = []
    while time.time() < deadline:
        app = find_app()
        if app is not None and app.childCount:
            tree = list(walk(app))
            if any(role == "push button" for _, role, _, _ in tree):
                break
        time.sleep(0.5)

    def has(role, name=None, label=None):
        return any(r == role and (name is None or n == name) and (label is None or label in l)
                   for _, r, n, l in tree)

    expected = [
        ("dialog", "登录系统", None),
        ("combo box", None, "用户名称"),
        ("password text", "用户密码", "用户密码"),
        ("push button", "确定", None),
        ("push button", "取消", None),
    ]
    missing = [e for e in expected if not has(*e)]
    for depth, role, name, labels in tree:
        print("  " * depth + f"{role}: {name!r}" + (f" labelled-by {labels}" if labels else ""))
    if missing:
        print("missing:", missing)
        return 1
    print("accessibility: login dialog named as shown")
    return 0


if __name__ == "__main__":
    sys.exit(main())
