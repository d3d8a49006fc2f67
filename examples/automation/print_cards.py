#!/usr/bin/env python3
"""What a logging program does with TEVRA over D-Bus.

Asks TEVRA on the session bus for a program of its own (the bus starts
"tevra --automation" when none runs), hands it the QSOs of a small CSV log
whose card is not sent yet, has the cards
printed into a PDF file in bureau order, reads back which QSOs were
printed, and marks them "Y" in its own log.

    python3 print_cards.py --layout ../postcard.tvd --log mylog.csv --pdf cards.pdf

Needs python3-dbus (Debian: python3-dbus).
"""
import argparse
import csv
import os
import sys

import dbus

SERVICE, PATH, INTERFACE = "org.tevra.Tevra", "/Application", "org.tevra.Application"
FACTORY, FACTORY_INTERFACE = "/Factory", "org.tevra.Factory"


def record(qso):
    """One QSO in TEVRA's automation form: date, time, call, report,
    frequency, mode, power, name, QTH, remarks, sent, received, environment."""
    year, month, day = qso["date"].split("-")
    fields = [f"{year}.{month}.{day}", qso["time"], qso["call"], qso["rst"], qso["freq"], qso["mode"], "",
              qso["name"], "", "", "", "", "0"]
    return ",".join(f'"{f}"' if "," in f else f for f in fields)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--layout", required=True, help="the card layout (.tvd)")
    parser.add_argument("--log", required=True, help="the CSV log; printed QSOs get 'Y' in its 'sent' column")
    parser.add_argument("--pdf", required=True, help="the PDF file the cards go to")
    args = parser.parse_args()

    with open(args.log, newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
        fields = list(rows[0].keys()) if rows else []

    bus = dbus.SessionBus()
    # Our own TEVRA: another logging program's QSOs never mix with ours.
    name = dbus.Interface(bus.get_object(SERVICE, FACTORY), FACTORY_INTERFACE).NewInstance()
    tevra = dbus.Interface(bus.get_object(name, PATH), INTERFACE)
    properties = dbus.Interface(bus.get_object(name, PATH), "org.freedesktop.DBus.Properties")

    properties.Set(INTERFACE, "DisableExit", dbus.Int16(1))  # nobody closes it under our feet
    tevra.DeleteLog()  # first: with QSOs loaded, opening a layout would ask about sorting them
    if tevra.OpenDoc(os.path.abspath(args.layout)) != 1:
        sys.exit(f"TEVRA could not open {args.layout}")
    for index, qso in enumerate(rows):
        if not qso["sent"]:
            tevra.AddLogPos(record(qso), dbus.Int32(index))  # the position is our row number
    tevra.SetPrintMax()
    tevra.SortLog(dbus.Int16(0))  # bureau order, ascending
    cards = tevra.PrintToFile(os.path.abspath(args.pdf))
    if cards < 0:
        sys.exit(f"TEVRA could not write {args.pdf}")

    printed = []
    for i in range(tevra.GetLogCount()):
        position = tevra.GetPrintedPos(dbus.Int32(i))
        if position >= 0:
            printed.append(int(position))
            rows[position]["sent"] = "Y"
    tevra.DeletePrinted(dbus.Int32(-1))  # our log has them now
    properties.Set(INTERFACE, "DisableExit", dbus.Int16(0))
    tevra.Quit()  # it was ours alone

    with open(args.log, "w", newline="", encoding="utf-8") as f:
        writer = csv.DictWriter(f, fieldnames=fields)
        writer.writeheader()
        writer.writerows(rows)
    print(f"{cards} cards printed to {args.pdf}; marked sent: "
          + ", ".join(rows[p]["call"] for p in printed))


if __name__ == "__main__":
    main()
