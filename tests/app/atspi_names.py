#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The names a screen reader hears: the real program on an X server, its controls read back through
# the desktop's accessibility bus (AT-SPI) as Orca reads them. Every control that shows and takes
# the focus has a name, and the bench, the protractor's icon, the panel icons and the table are
# there by their French names.
#
# Run with the system's Python (python3-pyatspi is a Debian package): atspi_names.py OPTIPHANE DATA.
# It starts a D-Bus session of its own (dbus-run-session) and runs again inside it.
# Exit status: 0 passed, 1 failed, 77 skipped (no session bus or accessibility bus could start).
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77


def fail(message):
    print("ÉCHEC : " + message, file=sys.stderr)
    sys.exit(1)


def main():
    if len(sys.argv) != 3:
        fail("usage: atspi_names.py OPTIPHANE DOSSIER_DATA")
    program, data = sys.argv[1], sys.argv[2]
    started = os.environ.get("OPTIPHANE_ATSPI_STARTED")
    if not started:
        sys.exit(in_own_session())
    # Inside the session: say so, so that a bus that never started is told from a failure.
    with open(started, "w") as mark:
        mark.write("ok")
    try:
        import pyatspi  # noqa: F401  (python3-pyatspi, tools/test-packages.txt)
    except ImportError as error:
        fail("python3-pyatspi manque : %s" % error)
    import pyatspi

    # The accessibility bus, started by the session bus on request.
    try:
        address = subprocess.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
             "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            capture_output=True, text=True, timeout=20)
    except (OSError, subprocess.TimeoutExpired) as error:
        print("bus d'accessibilité injoignable (%s) : test sauté" % error)
        sys.exit(SKIP)
    if address.returncode != 0 or not address.stdout.strip():
        print("bus d'accessibilité injoignable : test sauté\n" + address.stderr)
        sys.exit(SKIP)

    folder = tempfile.mkdtemp()
    try:
        exe = os.path.join(folder, "optiphane")
        shutil.copy(program, exe)
        for name in ("OPTIPHANE.PEM", "PRISENMAIN.RTF", "PRISENMAIN.P02"):
            shutil.copy(os.path.join(data, name), folder)
        env = dict(os.environ)
        env.pop("QT_QPA_PLATFORM", None)
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        wait_for_display(env.get("DISPLAY", ""))
        child = subprocess.Popen([exe], env=env, cwd=folder)
        # A program that could not reach the X server of a busy machine stops at once: once more.
        time.sleep(1)
        if child.poll() is not None:
            print("le programme s'est arrêté au démarrage (code %s) : nouvel essai" % child.returncode)
            wait_for_display(env.get("DISPLAY", ""))
            child = subprocess.Popen([exe], env=env, cwd=folder)
        try:
            check(pyatspi, child)
        finally:
            child.kill()
            child.wait()
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def wait_for_display(display):
    """Waits until the X server of DISPLAY (":142") takes connections, for at most 20 s: the
    server xvfb-run started may still be coming up while the machine is busy."""
    number = display.lstrip(":").split(".")[0]
    path = "/tmp/.X11-unix/X" + number
    deadline = time.time() + 20
    while time.time() < deadline:
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as probe:
            try:
                probe.connect(path)
                return
            except OSError:
                pass
        time.sleep(0.2)
    fail("le serveur X %s ne répond pas" % display)


def in_own_session():
    runner = shutil.which("dbus-run-session")
    if runner is None:
        print("dbus-run-session manque : test sauté")
        return SKIP
    with tempfile.TemporaryDirectory() as folder:
        mark = os.path.join(folder, "session")
        env = dict(os.environ, OPTIPHANE_ATSPI_STARTED=mark)
        try:
            status = subprocess.run([runner, "--", sys.executable] + sys.argv, env=env,
                                    timeout=100).returncode
        except subprocess.TimeoutExpired:
            fail("le test n'a pas fini en 100 s")
        if not os.path.exists(mark):
            print("le bus de session D-Bus n'a pas démarré : test sauté")
            return SKIP
        return status


def find_application(pyatspi, child):
    deadline = time.time() + 30
    while time.time() < deadline:
        if child.poll() is not None:
            fail("le programme s'est arrêté (code %s)" % child.returncode)
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == child.pid:
                window = app.getChildAtIndex(0) if app.childCount else None
                if window is not None and window.childCount > 0:
                    return app
        time.sleep(0.5)
    fail("le programme n'apparaît pas sur le bus d'accessibilité")


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    count = min(node.childCount, 200)
    for i in range(count):
        try:
            yield from walk(node.getChildAtIndex(i), depth + 1)
        except Exception:  # an object gone while walking: its subtree is skipped
            continue


def check(pyatspi, child):
    app = find_application(pyatspi, child)
    time.sleep(1.0)  # the first drawing
    names = set()
    nameless = []
    for node in walk(app):
        try:
            name = node.name or ""
            states = node.getState()
            role = node.getRoleName()
        except Exception:
            continue
        names.add(name)
        if (states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_FOCUSABLE)
                and not name.strip()):
            nameless.append(role)
    expected = ["Banc optique", "Rapporteur : mesurer un angle",
                "Le demi-disque : choisir le matériau", "Options d'affichage",
                "Menu des exercices", "Texte : accueil ou énoncé d'exercice", "&Ouvrir",
                "Tableau de valeurs"]
    missing = [n for n in expected if n not in names and n.replace("&", "") not in names]
    if missing:
        fail("noms absents du bus : %s\nnoms lus : %s" % (missing, sorted(names)))
    if nameless:
        fail("commandes sans nom : %s" % nameless)
    print("%d noms lus sur le bus d'accessibilité" % len(names))


if __name__ == "__main__":
    main()
