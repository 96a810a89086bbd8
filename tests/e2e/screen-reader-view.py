#!/usr/bin/python3
"""The running program as a screen reader sees it over the accessibility bus.

  screen-reader-view.py unnamed          the showing controls a reader can focus or act on that
                                         have no name, one a line, then their count
  screen-reader-view.py show ROLE NAME   a showing object: "role|name|description|value|states";
                                         fails when there is none
  screen-reader-view.py press ROLE NAME  runs the object's first action, as a reader's "activate"
  screen-reader-view.py listen FILE      writes the program's events to FILE as "event|role|name|detail"
"""
import sys

import pyatspi


def program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tovrelle":
            return app
    sys.exit("tovrelle is not on the accessibility bus")


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def walk(acc, depth=0):
    """Every showing object under acc; what is not showing hides its children too."""
    yield acc
    if depth < 40:
        for child in acc:
            if child is not None and showing(child):
                yield from walk(child, depth + 1)


def actions(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def value(acc):
    try:
        return str(acc.queryValue().currentValue)
    except NotImplementedError:
        return ""


def find(role, name):
    for acc in walk(program()):
        if acc.getRoleName() == role and acc.name == name:
            return acc
    sys.exit(f"no showing {role} named {name!r}")


def listen(path):
    out = open(path, "w", buffering=1)

    def heard(event):
        try:
            if event.host_application.name == "tovrelle":
                out.write(f"{event.type}|{event.source.getRoleName()}|{event.source.name}|{event.detail1}\n")
        except Exception:  # an object gone before it was read
            pass

    for kind in ("focus:", "object:state-changed", "object:property-change:accessible-description"):
        pyatspi.Registry.registerEventListener(heard, kind)
    out.write("listening\n")
    pyatspi.Registry.start()


def main():
    command = sys.argv[1]
    if command == "unnamed":
        unnamed = [acc for acc in walk(program())
                   if not acc.name and (acc.getState().contains(pyatspi.STATE_FOCUSABLE) or actions(acc))]
        for acc in unnamed:
            print(f"{acc.getRoleName()} under {acc.parent.getRoleName()} {acc.parent.name!r}")
        print(len(unnamed))
    elif command == "show":
        acc = find(sys.argv[2], sys.argv[3])
        states = " ".join(sorted(pyatspi.stateToString(s) for s in acc.getState().getStates()))
        print(f"{acc.getRoleName()}|{acc.name}|{acc.description}|{value(acc)}|{states}")
    elif command == "press":
        acc = find(sys.argv[2], sys.argv[3])
        acc.queryAction().doAction(0)
    elif command == "listen":
        listen(sys.argv[2])
    else:
        sys.exit(__doc__)


main()
