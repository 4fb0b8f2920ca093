#!/usr/bin/env python3
"""Writes the seed corpus of the day-file fuzz target: day files as the desk has them,
and the odd files a disk, an editor or another program can leave behind.

Run from anywhere; rewrites fuzz/corpus/day_file/. The files are kept in the repository,
so this only needs running when seeds are added."""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus", "day_file")
NAMES = ["山田", "佐藤", "鈴木", "ﾀﾅｶ", "高橋", "伊藤", "渡辺", "", "ｽｽﾞｷ", "中村", "小林", "加藤", "吉田", "山本"]
rng = random.Random(20261205)


def cp932(text):
    return text.encode("cp932")


def record(room, group, sub, start_h, start_m, unit, people, name, status, date=(2026, 12, 5)):
    y, mo, d = date
    sm = start_h * 60 + start_m
    em = sm + int(unit * 60)
    def at(minutes):
        day = d + minutes // (24 * 60)
        minutes %= 24 * 60
        return "%04d/%02d/%02d %02d:%02d" % (y, mo, day, minutes // 60, minutes % 60)
    u = ("%g" % unit)
    return "%03d%04d%02d,%s,%s,%s,%d,%03d,%s,%s" % (room, group, sub, at(sm), u, at(em), people,
                                                   room, name, status)


def busy_day(n):
    lines = []
    group = 1001
    for _ in range(n):
        room = rng.randint(1, 34)
        h = rng.randint(6, 29)
        m = rng.choice([0, 10, 15, 30, 45])
        unit = rng.choice([0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5])
        people = rng.randint(1, 4)
        name = rng.choice(NAMES)
        status = rng.choice(["利用", "予約", "通知", "精算"])
        if rng.random() < 0.2:
            lines.append(record(room, group, 0, h, m, unit, people, name, "延長"))
            lines.append(record(room, group, 1, h, m + int(unit * 60), 0.5, people, name, status))
        else:
            lines.append(record(room, group, 0, h, m, unit, people, name, status))
        group += 1
    return lines


def crlf(lines):
    return b"".join(cp932(l) + b"\r\n" for l in lines)


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(OUT, exist_ok=True)
    for f in os.listdir(OUT):
        os.remove(os.path.join(OUT, f))
    write("empty.txt", b"")
    write("quiet_day.txt", crlf(busy_day(6)))
    write("busy_day.txt", crlf(busy_day(120)))
    # As a save leaves it: rooms ascending.
    write("saved_order.txt", crlf(sorted(busy_day(40), key=lambda l: l[:3])))
    # Blank lines, LF only, and no line end after the last line.
    day = busy_day(8)
    write("blank_lines.txt", b"\r\n" + cp932(day[0]) + b"\r\n\r\n\n" + crlf(day[1:5]) + b"\r\n")
    write("lf_only_no_final_end.txt", b"\n".join(cp932(l) for l in day))
    # 100 records for one room: the 49th onwards have no place and are kept as they are.
    write("one_room_100.txt", crlf(record(7, 1001 + i, 0, 6 + i // 6, (i % 6) * 10, 0.5, 2,
                                          "客%d" % i, "精算") for i in range(100)))
    # Past midnight, stays that run over 06:00, and every status.
    write("past_midnight.txt", crlf([
        record(1, 1001, 0, 23, 30, 2, 2, "山田", "延長"),
        record(1, 1001, 1, 25, 30, 1, 2, "山田", "延長"),
        record(1, 1001, 2, 26, 30, 5, 2, "山田", "利用"),
        record(2, 1002, 0, 29, 0, 1.5, 3, "ﾀﾛｳ", "予約"),
        record(3, 1003, 0, 28, 50, 0.5, 1, "", "通知"),
    ]))
    # Characters with two codes in CP932 (NEC row 13 and the NEC-selected IBM
    # extensions against their IBM codes), and the user-defined area.
    good = record(4, 1001, 0, 20, 0, 1, 2, "X", "利用")
    a, b = cp932(good).split(b"X")
    write("two_code_characters.txt", b"".join(a + n + b + b"\r\n" for n in [
        b"\x87\x90", b"\x81\xe0", b"\x87\x9a\x81\xe6", b"\xed\x40", b"\xfa\x5c", b"\xee\xf9\x81\xca",
        b"\xfa\x54", b"\xf0\x40", b"\xf9\xfc", b"\x87\x40\x87\x54"]))
    # Lines no save writes: bytes that are not CP932, NUL bytes, CR inside a line, a
    # line of CR only, UTF-8 and UTF-16 text, a byte-order mark, short and long lines.
    rec = cp932(record(5, 1001, 0, 21, 0, 1, 2, "佐藤", "利用"))
    write("odd_lines.txt",
          rec + b"\r\n" +
          b"001100200,\x80\xa0\xfd\xfe\xff,junk\r\n" +
          rec.replace(b"\x8d", b"\x00", 1) + b"\r\n" +
          b"\r\r\n" +
          rec[:20] + b"\r" + rec[20:] + b"\r\n" +
          "005100300,2026/12/05 21:00,1,2026/12/05 22:00,2,005,山田,利用".encode("utf-8") + b"\r\n" +
          cp932(record(6, 1004, 0, 21, 0, 1, 2, "山,田", "利用")) + b"\r\n" +
          cp932(record(35, 1005, 0, 21, 0, 1, 2, "x", "利用")) + b"\r\n" +
          b"001100600,2026/12/05 21:00\r\n" +
          b"," * 7 + b"\r\n" +
          b"\x00\x00\x00\r\n" +
          rec + b"\r\r\n" +
          b"\xef\xbb\xbf" + rec + b"\r\n" +
          rec + b" " * 3000 + b"\r\n" +
          rec)
    write("utf16.txt", ("\ufeff" + "\r\n".join(busy_day(3)) + "\r\n").encode("utf-16-le"))
    write("utf8.txt", "".join(l + "\r\n" for l in busy_day(5)).encode("utf-8"))
    # Fields that look right but are not: bad dates, huge numbers, negative lengths.
    write("near_misses.txt", crlf([
        "001100100,2026/02/30 22:00,1,2026/02/30 23:00,2,001,a,利用",
        "002100200,2026/12/05 24:00,1,2026/12/05 25:00,2,002,b,利用",
        "003100300,2026/12/05 22:00,1,2026/12/04 22:00,2,003,c,利用",
        "004100400,9999/12/31 23:59,1,0000/01/01 00:00,999999,004,d,利用",
        "000100500,2026/12/05 22:00,1,2026/12/05 23:00,2,000,e,利用",
        "0341X0600,2026/12/05 22:00,1,2026/12/05 23:00,2,034,f,利用",
        "034100700,2026/12/05 22:00:00,1,2026/12/05 23:00,2,034,g,利用",
        "034100800,2026/12/05 22:00,1,2026/12/05 23:00,1234567,034,h,利用",
        "034999999,2026/12/05 22:00,1,2026/12/05 23:00,26,034,i,利用",
        "034100900,2026/12/05 22:00,1,2026/12/05 23:00,2,034,j,",
    ]))


main()
