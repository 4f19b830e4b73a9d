"""Logs in and opens the retail window through the desktop's accessibility bus
(AT-SPI), as a screen-reader user would, and checks that every field of the
window is named by its caption and that no nameless text field is exposed.
Exits non-zero with the tree it saw when something is missing."""
import sys
import time

import pyatspi

from probe_login import find_app, walk


def nodes(root, limit=30):
    """Every accessible below root, with its depth."""
    out = []

    def visit(node, depth):
        if node is None or depth > limit:
            return
        out.append((depth, node))
        for i in range(node.childCount):
            visit(node.getChildAtIndex(i), depth + 1)

    visit(root, 0)
    return out


def wait_for(predicate, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        app = find_app()
        if app is not None:
            for _, node in nodes(app):
                if predicate(node):
                    return node
        time.sleep(0.5)
    return None


def role(node):
    return node.getRoleName()


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def main():
    password = wait_for(lambda n: role(n) == "password text")
    ok = wait_for(lambda n: role(n) == "push button" and n.name == "确定")
    if password is None or ok is None:
        print("no login dialog")
        return 1
    password.queryEditableText().setTextContents("888")
    press(ok)

    retail = wait_for(lambda n: role(n) == "push button" and n.name == "零售")
    if retail is None:
        print("no main window with the 零售 button")
        return 1
    press(retail)
    window = wait_for(lambda n: n.name == "新增零售出库单" and role(n) != "label")
    grid = wait_for(lambda n: role(n) == "table")
    if window is None or grid is None:
        print("no retail window")
        for depth, node in nodes(find_app()):
            print("  " * depth + f"{role(node)}: {node.name!r}")
        return 1

    tree = [(depth, role(n), n.name) for depth, n in nodes(window)]
    expected = [("text", name) for name in (
        "单号", "经办人", "客户", "抹零额", "应收额", "实收额", "备注",
        "编码", "品名", "单价", "库存数量", "数量", "总数量:", "总金额:")]
    expected += [("spin button", "日期"), ("push button", "选择经办人"),
                 ("push button", "选择客户"), ("push button", "选择商品"),
                 ("push button", "结单-F8"), ("table", None)]
    missing = [(r, n) for r, n in expected
               if not any(tr == r and (n is None or tn == n) for _, tr, tn in tree)]
    nameless = [(r, n) for _, r, n in tree if r in ("text", "password text", "spin button")
                and not n]
    for depth, r, n in tree:
        print("  " * depth + f"{r}: {n!r}")
    if missing or nameless:
        print("missing:", missing)
        print("nameless fields:", nameless)
        return 1
    print("accessibility: retail window named as shown")
    return 0


if __name__ == "__main__":
    sys.exit(main())
