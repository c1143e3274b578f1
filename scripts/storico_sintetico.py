#!/usr/bin/env python3
"""Writes an archive of draws of the published layout and of its real size and defects, for the
companion's timings (the real one cannot be downloaded here): one draw a week from 1939, two from
1997, three from 2005; eight wheels until Cagliari and Genova join in July 1939; six, seven or
nine wheels on war-time days; a few days with a single wheel; the Nazionale from 2005; every line
of one day written twice. Numbers from a fixed seed.
    python3 scripts/storico_sintetico.py OUT_DIR [LAST_DAY]   -> OUT_DIR/storico.txt, storico.zip
"""
import datetime
import random
import sys
import zipfile

CODES = ["BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE"]


def days(last):
    day = datetime.date(1939, 1, 7)  # a Saturday
    while day <= last:
        yield day
        if day.year < 1997:
            day += datetime.timedelta(days=7)
        elif day.year < 2005:
            day += datetime.timedelta(days=3 if day.weekday() == 2 else 4)  # Wed, Sat
        else:
            day += datetime.timedelta(days=2 if day.weekday() in (1, 3) else 3)  # Tue, Thu, Sat
            if day.weekday() not in (1, 3, 5):
                day += datetime.timedelta(days=(1 - day.weekday()) % 7)


def main():
    out = sys.argv[1]
    last = datetime.date.fromisoformat(sys.argv[2]) if len(sys.argv) > 2 else datetime.date.today()
    rng = random.Random(1939)
    lines = []
    doubled = datetime.date(1995, 3, 4)
    for n, day in enumerate(days(last)):
        wheels = list(CODES)
        if day < datetime.date(1939, 7, 1):
            wheels = [w for w in wheels if w not in ("CA", "GE")]
        elif datetime.date(1943, 7, 1) <= day <= datetime.date(1945, 12, 31):
            wheels = sorted(rng.sample(CODES, rng.choice([6, 7, 9])), key=CODES.index)
        elif n % 997 == 500:
            wheels = [rng.choice(CODES)]
        if day.year >= 2005:
            wheels.append("RN")
        for w in wheels:
            line = "%s\t%s\t%s" % (day.strftime("%Y/%m/%d"), w,
                                   "\t".join(str(x) for x in rng.sample(range(1, 91), 5)))
            lines.append(line)
            if day == doubled:
                lines.append(line)
    text = "\n".join(lines) + "\n"
    with open(out + "/storico.txt", "w") as f:
        f.write(text)
    with zipfile.ZipFile(out + "/storico.zip", "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("storico.txt", text)
    print(len(lines), "lines")


main()
