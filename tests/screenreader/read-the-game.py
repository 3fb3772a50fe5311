#!/usr/bin/python3
"""Plays a Grand Prix through AT-SPI, as a screen reader's user would (each button pressed by its
own action), and checks what a screen reader reads: the qualifying's and the race's grid as tables
with their headers and cells, the race's result and the standings announced, the race analysis's
report as a table and its weather in words, the season results as a table. Run by reads-the-game inside its D-Bus session; exit 77 where the accessibility bus holds
no program at all (no bridge to test)."""
import sys
import time

import pyatspi

problems = []


def fail(text):
    problems.append(text)
    print("reads-the-game: " + text, file=sys.stderr)


def wait(find, what, timeout=30.0):
    end = time.time() + timeout
    while time.time() < end:
        try:
            found = find()
        except Exception:  # an object going away while it is read
            found = None
        if found:
            return found
        time.sleep(0.2)
    return None


def children(node):
    try:
        return [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return []


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def find_all(node, role, depth=0):
    found = []
    for child in children(node):
        if child is None:
            continue
        try:
            if child.getRoleName() == role:
                found.append(child)
        except Exception:
            continue
        if depth < 12:
            found += find_all(child, role, depth + 1)
    return found


def the_game():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app is not None and "karven" in (app.name or "").lower():
            return app
    return None


def windows(app, role):
    return [w for w in children(app) if w is not None and w.getRoleName() == role and showing(w)]


def button(window, starts):
    for b in find_all(window, "push button"):
        if (b.name or "").startswith(starts) and showing(b) and b.getState().contains(pyatspi.STATE_SENSITIVE):
            return b
    return None


def press(b):
    b.queryAction().doAction(0)


def answer_all(app, limit=400):
    """Every window the game opens answered, スキップ where it offers it, else its first button,
    until none has been open for two seconds."""
    quiet_since = time.time()
    for _ in range(limit * 10):
        dialogs = windows(app, "dialog")
        if not dialogs:
            if time.time() - quiet_since > 2.0:
                return True
            time.sleep(0.1)
            continue
        quiet_since = time.time()
        top = dialogs[-1]
        b = button(top, "スキップ") or button(top, "OK") or button(top, "")
        if b:
            press(b)
        time.sleep(0.15)
    fail("the game's windows did not end")
    return False


def table_in(window, named=None):
    for t in find_all(window, "table"):
        if showing(t) and (named is None or named in (t.name or "")):
            return t
    return None


def read(t):
    table = t.queryTable()
    heads = []
    for c in range(table.nColumns):
        h = table.getColumnHeader(c)
        heads.append(h.name if h else None)
    cell = lambda r, c: table.getAccessibleAt(r, c).name
    return table.nRows, table.nColumns, heads, cell


def main():
    app = wait(the_game, "the game", 40)
    if app is None:
        if not children(pyatspi.Registry.getDesktop(0)):
            print("reads-the-game: skipped, the accessibility bus holds no program")
            return 77
        fail("the game is not on the accessibility bus")
        return 1
    # The title window, then the main window.
    ok = wait(lambda: next((button(d, "OK") for d in windows(app, "dialog") if button(d, "OK")), None), "the title")
    if not ok:
        fail("no title window with OK")
        return 1
    press(ok)
    main_window = wait(lambda: next(iter(windows(app, "frame")), None), "the main window")
    if not main_window:
        fail("no main window")
        return 1

    def command(name):
        b = wait(lambda: button(main_window, name), name, 10)
        if not b:
            fail(f"no command {name}")
            return False
        press(b)
        return answer_all(app)

    # Qualifying: the grid is a table named by its title, with headers and cells.
    command("予選")
    t = wait(lambda: table_in(main_window, "予選結果"), "the qualifying's table", 10)
    if not t:
        fail("no table named 予選結果 after qualifying")
        return 1
    rows, columns, heads, cell = read(t)
    print(f"qualifying: {t.name!r}, {rows} rows, headers {heads}, first row {[cell(0, c) for c in range(columns)]}")
    if rows < 20 or heads[:3] != ["No", "ドライバー", "チーム"] or cell(0, 0) != "1" or not cell(0, 1):
        fail(f"the qualifying's table reads wrong: {rows} rows, headers {heads}, first row {[cell(0, c) for c in range(columns)]}")

    # The race: its result is announced, the winner first in the table and in the words.
    command("決勝")
    t = wait(lambda: table_in(main_window, "決勝結果"), "the race's table", 10)
    notes = find_all(main_window, "notification")
    said = notes[0].name if notes else ""
    winner = read(t)[3](0, 1) if t else None
    print(f"race: {t.name if t else None!r}, told {said!r}")
    if not t or not winner or winner not in said or "優勝" not in said:
        fail(f"the race's result is not told: table {t.name if t else None!r}, winner {winner!r}, told {said!r}")

    # レース分析 by its button: the report read as a table, the winner first; the weather in words.
    b = button(main_window, "レース分析")
    if b:
        press(b)
    dialog = wait(lambda: next((d for d in windows(app, "dialog") if d.name == "レース分析"), None), "the race analysis", 10)
    if not dialog:
        fail("レース分析 does not open from its button")
    else:
        tab = next((t for t in find_all(dialog, "page tab") if t.name == "レースレポート"), None)
        if tab:
            press(tab)
        t = wait(lambda: table_in(dialog, "レースレポート"), "the race report", 10)
        strip = next((n for n in find_all(dialog, "filler") + find_all(dialog, "panel") if (n.name or "").startswith("スタート ")), None)
        if not t:
            fail(f"the race report is no table: tab {tab.name if tab else None!r}")
        else:
            rows, columns, heads, cell = read(t)
            print(f"race report: {rows} rows, headers {heads}, first row {[cell(0, c) for c in range(columns)]}")
            if rows < 20 or heads[:3] != ["順位", "ドライバー", "チーム"] or cell(0, 0) != "1" or cell(0, 1) != winner:
                fail(f"the race report reads wrong: {rows} rows, headers {heads}, winner {winner!r}")
        if not strip:
            fail("the weather strip is not told in words")
        close = button(dialog, "閉じる")
        if close:
            press(close)
        wait(lambda: not any(d.name == "レース分析" for d in windows(app, "dialog")), "the race analysis closed", 10)

    # The standings: a table of their own name, and told.
    command("ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ")
    t = wait(lambda: table_in(main_window, "ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ"), "the standings' table", 10)
    leader = read(t)[3](0, 1) if t else None
    told = wait(lambda: next((n.name for n in find_all(main_window, "notification") if "ドライバーズランキング" in (n.name or "")), None),
                "the standings told", 5)
    print(f"standings: {t.name if t else None!r}, told {told!r}")
    if not t or not leader or not told or leader not in told:
        fail(f"the standings are not read: table {t.name if t else None!r}, leader {leader!r}, told {told!r}")

    # The season results: a window with a table, the team on both of its drivers' rows.
    b = button(main_window, "シーズン成績表")
    if b:
        press(b)
    dialog = wait(lambda: next((d for d in windows(app, "dialog") if table_in(d, "成績表")), None), "the season results", 10)
    if not dialog:
        fail("the season results have no table")
    else:
        rows, columns, heads, cell = read(table_in(dialog, "成績表"))
        print(f"season results: {rows} rows, headers {heads}, first rows {[cell(0, c) for c in range(columns)]} {[cell(1, c) for c in range(columns)]}")
        if rows != 32 or heads[1:3] != ["ドライバー", "1"] or not cell(0, 0) or cell(0, 0) != cell(1, 0):
            fail(f"the season results read wrong: {rows} rows, headers {heads}")
        press(button(dialog, "OK"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
