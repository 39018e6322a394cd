#!/usr/bin/python3
"""The program's windows as a screen reader meets them over AT-SPI.

Run by accessibletree.sh while the program starts on a private display and
bus; walks splash, menu, dictionary, encyclopedia and about box, driving the
program through the buttons' own actions as a screen reader user does.
Each window's tree goes to OUT_DIR/<window>.txt for a person to read.
  atspi_tree.py OUT_DIR
Exits with 1 when any check failed.
"""
import os
import subprocess
import sys
import time
import unicodedata

import pyatspi

out = sys.argv[1]
failures = 0


def fail(what):
    global failures
    failures += 1
    print("FAIL: " + what, flush=True)


def ok(what):
    print("ok: " + what, flush=True)


def check(condition, what, why=""):
    if condition:
        ok(what)
    else:
        fail(what + (": " + why if why else ""))
    return condition


def wait_for(probe, seconds):
    """Polls probe until it answers something true; a slow machine is waited
    for, not failed. The answer, or None."""
    end = time.monotonic() + seconds
    while True:
        try:
            found = probe()
        except Exception:  # an object that went away while being read
            found = None
        if found or time.monotonic() > end:
            return found or None
        time.sleep(0.1)


def spaced(text):
    # The captions are laid out with double spaces; a reader hears one.
    return " ".join((text or "").split())


def states_of(acc):
    return {pyatspi.stateToString(s) for s in acc.getState().getStates()}


def actions_of(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def labels_of(acc):
    """The accessibles that label this one (its LABELLED_BY relation)."""
    found = []
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            found += [relation.getTarget(i) for i in range(relation.getNTargets())]
    return found


def scripts(text):
    latin = arabic = False
    for ch in text:
        if ch.isalpha():
            letter = unicodedata.name(ch, "")
            latin = latin or letter.startswith("LATIN")
            arabic = arabic or letter.startswith("ARABIC")
    return latin, arabic


def arabic_only(text):
    latin, arabic = scripts(text)
    return arabic and not latin


# Their children are rows of data or a drop-down's items: a table holds an
# accessible per cell of every row, too many to walk and none a control.
DATA_ROLES = {"table", "tree table", "list", "list box", "tree", "combo box"}


class Node:
    def __init__(self, acc, depth, top, in_scroll_bar):
        self.acc = acc
        self.depth = depth
        self.top = top
        self.in_scroll_bar = in_scroll_bar
        self.role = acc.getRoleName()
        self.name = acc.name or ""
        self.states = states_of(acc)
        self.actions = actions_of(acc)
        self.labels = [(label.getRoleName(), label.name or "") for label in labels_of(acc)]
        self.children = acc.childCount
        self.interfaces = pyatspi.listInterfaces(acc)

    def spoken(self):
        """What Orca says for it: its name, else the label naming it."""
        return spaced(self.name) or " ".join(spaced(n) for _, n in self.labels).strip()

    def line(self):
        parts = ["  " * self.depth + self.role, '"%s"' % self.name]
        parts.append("states: " + " ".join(sorted(self.states)))
        if self.actions:
            parts.append("actions: " + " ".join(self.actions))
        for role, name in self.labels:
            parts.append('labelled by %s "%s"' % (role, name))
        if "Value" in self.interfaces:
            value = self.acc.queryValue()
            parts.append("value %g (%g..%g)" % (value.currentValue, value.minimumValue, value.maximumValue))
        if "Text" in self.interfaces:
            text = self.acc.queryText()
            shown = text.getText(0, min(text.characterCount, 60)).replace("\n", " / ")
            parts.append('text "%s"' % shown)
        if self.role in DATA_ROLES and self.children:
            parts.append("(%d items, not walked)" % self.children)
        return "  ".join(parts)


def walk(window):
    nodes = []

    def visit(acc, depth, in_scroll_bar):
        node = Node(acc, depth, depth == 0, in_scroll_bar)
        nodes.append(node)
        if node.role in DATA_ROLES:
            return
        for i in range(acc.childCount):
            child = acc.getChildAtIndex(i)
            if child is not None:
                visit(child, depth + 1, in_scroll_bar or node.role == "scroll bar")

    window.clearCache()
    visit(window, 0, False)
    return nodes


def dump(window, file_name):
    nodes = walk(window)
    with open(os.path.join(out, file_name + ".txt"), "w", encoding="utf-8") as f:
        for node in nodes:
            f.write(node.line() + "\n")
    return nodes


def generic_checks(where, nodes):
    # The window's title is its designed caption, and a scroll bar is told
    # by its role and position: neither is a control that needs a name.
    controls = [n for n in nodes if not n.top and not n.in_scroll_bar and n.role != "scroll bar"]
    nameless = [n for n in controls if "visible" in n.states and ("focusable" in n.states or n.actions)
                and not n.spoken()]
    check(not nameless, where + ": every control the keyboard or an action reaches has a name",
          "; ".join("%s (actions %s)" % (n.role, " ".join(n.actions) or "none") for n in nameless))
    # A speech engine reads one name in one language.
    mixed = [n for n in controls if all(scripts(n.name))]
    check(not mixed, where + ": no control's name mixes Latin and Arabic letters",
          "; ".join('%s "%s"' % (n.role, n.name) for n in mixed))


def named_pictures(where, nodes):
    pictures = find(nodes, "image")
    check(pictures and all(spaced(p.name) for p in pictures), where + ": its picture has a name",
          "images: %s" % [p.name for p in pictures])


def button_names(nodes):
    return sorted(spaced(n.name) for n in nodes if n.role == "push button")


def find(nodes, role, name=None):
    return [n for n in nodes if n.role == role and (name is None or spaced(n.name) == name)]


def do_action(found, name):
    """Does the first of the nodes' action of that name, as a screen reader does."""
    for n in found:
        action = n.acc.queryAction()
        for i in range(action.nActions):
            if action.getName(i).lower() == name:
                return action.doAction(i)
    return False


def picked_field(combo):
    """The item picked in a combo box: its list's selected item."""
    for i in range(combo.childCount):
        items = combo.getChildAtIndex(i)
        for j in range(items.childCount):
            item = items.getChildAtIndex(j)
            if "selected" in states_of(item):
                return item.name or "?"
    return None


def press(nodes, name):
    if not do_action(find(nodes, "push button", name), "press"):
        fail('no button "%s" with a Press action to go on with' % name)


desktop = pyatspi.Registry.getDesktop(0)


def program():
    desktop.clearCache()
    for app in desktop:
        if app is not None and app.name == "velkaram":
            return app
    return None


def size_of(acc):
    return tuple(acc.queryComponent().getSize())


MENU_SIZE = (640, 480)


def window(title, size=None, not_size=None):
    """The showing top-level window of that title (and size)."""
    app = program()
    if app is None:
        return None
    app.clearCache()
    for w in app:
        if w is None or w.name != title or "showing" not in states_of(w):
            continue
        if size and size_of(w) != size:
            continue
        if not_size and size_of(w) == not_size:
            continue
        return w
    return None


def menu():
    return window("Velkaram", size=MENU_SIZE)


def dictionary():
    # It shares the menu's title; its size tells it apart.
    return window("Velkaram", not_size=MENU_SIZE)


def gone(probe):
    return wait_for(lambda: probe() is None and "gone", 10) is not None


# --- The splash --------------------------------------------------------------

if not wait_for(program, 20):
    fail('the program never reached the accessibility registry as "velkaram"')
    sys.exit(1)
ok('the registry lists the program as "velkaram"')

splash = wait_for(lambda: window("Delvo Soft"), 10)
if not splash:
    fail("the splash never showed in the accessible tree")
    sys.exit(1)
bar = wait_for(lambda: find(walk(splash), "progress bar"), 5)
value = None
readings = []
if check(bar, "the splash has a progress bar"):
    bar = bar[0]
    value = bar.acc.queryValue() if "Value" in bar.interfaces else None
    if check(value is not None, "the progress bar has a value"):
        readings.append(value.currentValue)
        bounds = (value.minimumValue, value.maximumValue)
nodes = dump(splash, "splash")
if value is not None:
    # The bar fills in steps; the splash ends when it is full.
    def risen():
        readings.append(value.currentValue)
        return readings[-1] > readings[0]
    wait_for(lambda: risen() or "showing" not in states_of(splash), 10)
    check(bounds == (0, 100), "the progress bar runs from 0 to 100", "it runs %g..%g" % bounds)
    check(len(readings) > 1 and readings[-1] > readings[0], "the progress bar's value rises as it fills",
          "read %s" % readings)
    check(all(0 <= r <= 100 for r in readings), "the progress bar's value stays within 0..100",
          "read %s" % readings)
if bar:
    check(arabic_only(spaced(bar.name)), "the progress bar has an Arabic name", 'it is "%s"' % bar.name)
named_pictures("splash", nodes)
generic_checks("splash", nodes)

# --- The main menu -----------------------------------------------------------

MENU_BUTTONS = sorted(["فسر حلمك", "الموسوعة", "تشغيل الصوت", "حول البرنامج", "المساعدة", "تصغير", "خروج"])


def at_menu(where):
    shown = wait_for(menu, 15)
    check(shown, where)
    return shown


def menu_nodes():
    shown = menu()
    return walk(shown) if shown else []


main = at_menu("the main menu shows after the splash")
if not main:
    sys.exit(1)


def first_area_focused():
    first = find(walk(main), "push button", "فسر حلمك")
    return first and "focused" in first[0].states


focused = wait_for(first_area_focused, 5)
nodes = dump(main, "menu")
buttons = find(nodes, "push button")
check(button_names(nodes) == MENU_BUTTONS, "the menu has its seven areas as buttons, by name",
      "it has %s" % button_names(nodes))
unpressable = [n for n in buttons if not any(a.lower() == "press" for a in n.actions)]
check(buttons and not unpressable, "every menu button can be pressed",
      "; ".join('"%s" has actions %s' % (n.name, n.actions) for n in unpressable))
check(buttons and all("focusable" in n.states for n in buttons), "every menu button takes the keyboard focus",
      ", ".join('"%s"' % n.name for n in buttons if "focusable" not in n.states))
check(focused, 'the focus starts on "فسر حلمك"')
generic_checks("menu", nodes)

# --- The dictionary ----------------------------------------------------------

DICTIONARY_BUTTONS = sorted(["الاول", "السابق", "التالي", "الاخير", "حول", "عودة", "تنفيذ البحث",
                             "عرض كافة السجلات"])
press(menu_nodes(), "فسر حلمك")
shown = wait_for(dictionary, 15)
if check(shown, 'the menu\'s "فسر حلمك" opens the dictionary'):
    nodes = dump(shown, "dictionary")
    check(find(nodes, "text", "نص البحث"), 'the search box is a text box named "نص البحث"')
    def field_list(nodes):
        # Qt names a combo box by its current item once it has one; then
        # only the label naming it still says what the list is for.
        combos = find(nodes, "combo box")
        named = [n for n in combos if "حقل البحث" in [spaced(n.name)] + [spaced(name) for _, name in n.labels]]
        return named, "combo boxes: %s" % [(n.name, n.labels) for n in combos]
    named, found = field_list(nodes)
    check(named, 'the field list is a combo box named "حقل البحث"', found)
    for heading in ["المفتاح", "الرؤيا", "تفسير الرؤيا"]:
        boxes = find(nodes, "text", heading)
        check(boxes and "read only" in boxes[0].states and ("label", heading) in boxes[0].labels,
              'the read-only box "%s" is labelled by its heading' % heading,
              "found %s" % [(n.states, n.labels) for n in boxes])
    check(find(nodes, "table", "نتائج البحث"), 'the results grid is a table named "نتائج البحث"')
    check(button_names(nodes) == DICTIONARY_BUTTONS, "the dictionary's buttons have Arabic names",
          "they are %s" % button_names(nodes))
    generic_checks("dictionary", nodes)
    # Ticked and picked from the keyboard, as Orca passes the keys on: the
    # list still says what it is for.
    box = find(nodes, "check box", "بحث بدلالة حقل معين")
    combo = find(nodes, "combo box")
    if box and combo and do_action(box, "setfocus") and wait_for(lambda: "focused" in states_of(box[0].acc), 5):
        subprocess.run(["xdotool", "key", "--clearmodifiers", "space"], check=False)
        # Its Press action opens the list, the keys pick a field.
        if (wait_for(lambda: "enabled" in states_of(combo[0].acc), 5) and do_action(combo, "press")
                and wait_for(lambda: "expanded" in states_of(combo[0].acc), 5)):
            subprocess.run(["xdotool", "key", "--clearmodifiers", "Down", "Return"], check=False)
            picked = wait_for(lambda: picked_field(combo[0].acc), 5)
            named, found = field_list(walk(shown))
            check(picked and named, 'the field list keeps the name "حقل البحث" once a field is picked',
                  "picked %s; %s" % (picked, found))
        else:
            fail("ticked with Space, the search by field does not open the field list to the keys")
        # Its own action unticks it as well, and the list follows it.
        do_action(box, "toggle")
        check(wait_for(lambda: "enabled" not in states_of(combo[0].acc), 5),
              "unticked through its Toggle action, the search by field disables the field list",
              "check box %s, field list %s" % (sorted(states_of(box[0].acc)), sorted(states_of(combo[0].acc))))
    else:
        fail("the search by field box takes no focus")
    press(nodes, "عودة")
    at_menu('"عودة" brings the menu back')
    check(gone(dictionary), "the dictionary closed")

# --- The encyclopedia --------------------------------------------------------

ENCYCLOPEDIA = "موسوعة Velkaram"
press(menu_nodes(), "الموسوعة")
shown = wait_for(lambda: window(ENCYCLOPEDIA), 15)
if check(shown, 'the menu\'s "الموسوعة" opens the encyclopedia'):
    nodes = dump(shown, "encyclopedia")
    boxes = find(nodes, "text")
    check(len(boxes) >= 2 and all(arabic_only(n.spoken()) for n in boxes),
          "the title box and the article box have Arabic names", "text boxes: %s" % [n.spoken() for n in boxes])
    check(button_names(nodes) == sorted(["الاول", "الاخير", "التالي", "السابق", "خروج"]),
          "the encyclopedia's buttons have Arabic names", "they are %s" % button_names(nodes))
    generic_checks("encyclopedia", nodes)
    press(nodes, "خروج")
    at_menu('"خروج" brings the menu back from the encyclopedia')
    check(gone(lambda: window(ENCYCLOPEDIA)), "the encyclopedia closed")

# --- The about box -----------------------------------------------------------

ABOUT = "حول البرنامج"
CREDITS = ["الحمد لله رب العالمين", "السلام عليكم ورحمة الله وبركاته", "لا تنسونا من دعوة صالحة"]


def credits_strip(about):
    for n in walk(about):
        if "Text" in n.interfaces:
            text = n.acc.queryText()
            if all(line in text.getText(0, -1) for line in CREDITS):
                return n
    return None


press(menu_nodes(), "حول البرنامج")
shown = wait_for(lambda: window(ABOUT), 15)
if check(shown, 'the menu\'s "حول البرنامج" opens the about box'):
    # The strip gets its text once the box is up.
    check(wait_for(lambda: credits_strip(shown), 5), "the credits strip reads out the credit lines")
    nodes = dump(shown, "about")
    named_pictures("about box", nodes)
    generic_checks("about box", nodes)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "Escape"], check=False)
    at_menu("Escape brings the menu back from the about box")
    check(gone(lambda: window(ABOUT)), "the about box closed")

sys.exit(1 if failures else 0)
