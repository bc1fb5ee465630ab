#!/usr/bin/env python3
"""Writes known_answers.txt: what the calculate button shows for inputs chosen for their edges,
and what the formulas give to the bit, computed from their definitions alone.

Nothing here uses the machine's floating point or maths library. Every number is an exact
fraction; a double or single step rounds it to the nearest double or single (ties to even) by
integer arithmetic, and the fifth root is taken with 80 significant digits by Python's decimal
module before it is rounded to a double. So the table is a second, independent reckoning of the
program's rules: its words, not its code. Run it again (python3 tests/calc/known_answers.py) only
to add rows; the rows it writes for the same inputs never change.
"""

import decimal
import pathlib
import random
import struct
from fractions import Fraction

decimal.getcontext().prec = 80
TABLE = pathlib.Path(__file__).with_name("known_answers.txt")


def binary_rounding(significant_bits, lowest_exponent, highest_exponent):
    """Rounding to nearest, ties to even, into a binary format; None past its largest value."""

    def rounded(x):
        if x == 0:
            return Fraction(0)
        magnitude = abs(x)
        exponent = magnitude.numerator.bit_length() - magnitude.denominator.bit_length()
        if Fraction(2) ** exponent > magnitude:
            exponent -= 1
        unit = Fraction(2) ** (max(exponent, lowest_exponent) - significant_bits + 1)
        units, remainder = divmod(magnitude / unit, 1)
        if remainder > Fraction(1, 2) or (remainder == Fraction(1, 2) and units % 2 == 1):
            units += 1
        if units * unit >= Fraction(2) ** (highest_exponent + 1):
            return None
        return (1 if x > 0 else -1) * units * unit

    return rounded


double = binary_rounding(53, -1022, 1023)
single = binary_rounding(24, -126, 127)

# The constants as the nearest doubles, whose bits the definitions give.
FACTOR = Fraction(struct.unpack(">d", bytes.fromhex("3FF451EB851EB852"))[0])
FIFTH = Fraction(struct.unpack(">d", bytes.fromhex("3FC999999999999A"))[0])


def fifth_root(q):
    """q^0.2 with the exponent the double nearest to 0.2, rounded to a double."""
    if q == 0:
        return Fraction(0)
    base = decimal.Decimal(q.numerator) / decimal.Decimal(q.denominator)
    exponent = decimal.Decimal(FIFTH.numerator) / decimal.Decimal(FIFTH.denominator)  # exact
    return double(Fraction(base**exponent))


def flow(a, b):
    product = double(double(a**3) * double(b**3))
    total = double(a + b)
    if total == 0:
        return None
    quotient = double(product / total)
    if quotient < 0:
        return None
    return single(double(fifth_root(quotient) * FACTOR))


def velocity(a, b):
    total = double(a + b)
    if total == 0:
        return None
    return single(double(double(2 * a) * b / total))


def side_from_velocity(dv, a):
    if dv == 0 or a == 0:
        return None
    difference = double(double(2 / dv) - double(1 / a))
    return None if difference == 0 else single(double(1 / difference))


SQUARE_FACTOR = double(fifth_root(Fraction(1, 2)) * FACTOR)


def square_side(dl):
    return single(double(dl / SQUARE_FACTOR))


def ratio_accepted(a, d):
    if d == 0:
        return False
    ratio = single(double(a / d))
    return ratio is not None and Fraction(1, 2) < ratio < 5


LAST_SIDE = 2**24  # a single counts in steps of one up to here and no further


def search_side(dl, a):
    """The count b = 1, 2, 3, ... that stops at the first trial above dl; None past 2^24.
    For a > 0 the trials never fall as b grows (each step's growth, 0.4/b or more, dwarfs the
    rounding of the double steps), so the stop is found by halving; a failed trial (beyond the
    single range, which once reached stays) does not stop the count."""
    if dl < 0:
        return Fraction(0)
    assert a > 0

    def first(condition, low, high):  # the least b in [low, high] where condition holds
        while low < high:
            middle = (low + high) // 2
            if condition(middle):
                high = middle
            else:
                low = middle + 1
        return low

    last = LAST_SIDE
    if flow(a, Fraction(last)) is None:
        last = first(lambda b: flow(a, Fraction(b)) is None, 1, last) - 1
    if last < 1 or not flow(a, Fraction(last)) > dl:
        return None
    stop = first(lambda b: flow(a, Fraction(b)) > dl, 1, last)
    assert stop == 1 or not flow(a, Fraction(stop - 1)) > dl
    return Fraction(stop)


def parse(text):
    """A field's text: digits with at most one point, blanks and tabs around it."""
    number = text.strip(" \t")
    digits = sum(c in "0123456789" for c in number)
    if digits == 0 or number.count(".") > 1 or digits + number.count(".") != len(number):
        return None
    whole, _, decimals = number.partition(".")
    return single(Fraction(int(whole or "0")) + Fraction(int(decimals or "0"), 10**len(decimals)))


def seven_digits(value):
    """A single with at most seven significant digits, as the fields show it."""
    if value == 0:
        return "0"
    sign, magnitude = ("-" if value < 0 else ""), abs(value)
    exponent = len(str(magnitude.numerator // magnitude.denominator)) - 1 if magnitude >= 1 else 0
    while Fraction(10) ** exponent > magnitude:
        exponent -= 1
    while Fraction(10) ** (exponent + 1) <= magnitude:
        exponent += 1
    digits, remainder = divmod(magnitude / Fraction(10) ** (exponent - 6), 1)
    if remainder > Fraction(1, 2) or (remainder == Fraction(1, 2) and digits % 2 == 1):
        digits += 1
    if digits == 10**7:
        digits, exponent = 10**6, exponent + 1
    text = str(digits)
    if exponent >= 7:
        mantissa = (text[0] + "." + text[1:]).rstrip("0").rstrip(".")
        return f"{sign}{mantissa}E+{exponent:02d}"
    scaled = Fraction(digits) * Fraction(10) ** (exponent - 6)
    whole, fraction = divmod(scaled, 1)
    decimals = ""
    while fraction:
        fraction *= 10
        decimals += str(fraction.numerator // fraction.denominator)
        fraction -= fraction.numerator // fraction.denominator
    return sign + str(whole) + ("." + decimals if decimals else "")


def field_text(value, decimals):
    scale = 10**decimals
    units, remainder = divmod(value * scale, 1)
    if remainder > Fraction(1, 2) or (remainder == Fraction(1, 2) and units % 2 == 1):
        units += 1
    return seven_digits(single(double(Fraction(units) / scale)))


PLACEHOLDER = "(空白)"


def calculate(options, texts):
    """What the calculate button does: 'input' or 'ratio' first if it ends with a message, then
    its writes in order ("A1=399 D1=493.4")."""
    a_text, b_text, dv_text, dl_text = texts
    if options == "A":
        a, b = parse(a_text), parse(b_text)
        if a is None or b is None:
            return "input"
        dv, dl = velocity(a, b), flow(a, b)
        if dv is None or dl is None:
            return f"input D0={PLACEHOLDER} D1={PLACEHOLDER}"
        return f"D0={field_text(dv, 0)} D1={field_text(dl, 1)}"
    velocity_given = options == "V"
    given = parse(dv_text if velocity_given else dl_text)
    if given is None:
        return "input"
    side_a = parse(a_text)
    if side_a is not None and not ratio_accepted(side_a, given):
        return "ratio"
    if side_a is None and given == 0:
        return "ratio"
    square = side_a is None
    if velocity_given:
        a = given if square else side_a
        b = a if square else side_from_velocity(given, a)
        other = None if b is None else flow(a, b)
        other_field, decimals = "D1", 1
    else:
        a = square_side(given) if square else side_a
        b = a if square else search_side(given, a)
        other = None if a is None or b is None else velocity(a, b)
        other_field, decimals = "D0", 0
    fields = (["A0"] if square else []) + ["A1", other_field]
    if other is None:
        return "input " + " ".join(f"{field}={PLACEHOLDER}" for field in fields)
    values = ([a] if square else []) + [b]
    texts = [field_text(value, 0) for value in values] + [field_text(other, decimals)]
    return " ".join(f"{field}={text}" for field, text in zip(fields, texts))


def nine_digits(value):
    """A single written so that reading it back gives the same single: nine significant
    digits."""
    if value == 0:
        return "0"
    sign, magnitude = ("-" if value < 0 else ""), abs(value)
    exponent = 0
    while Fraction(10) ** exponent > magnitude:
        exponent -= 1
    while Fraction(10) ** (exponent + 1) <= magnitude:
        exponent += 1
    digits, remainder = divmod(magnitude / Fraction(10) ** (exponent - 8), 1)
    if remainder >= Fraction(1, 2):
        digits += 1
    if digits == 10**9:
        digits, exponent = 10**8, exponent + 1
    text = str(digits)
    mantissa = (text[0] + "." + text[1:]).rstrip("0").rstrip(".")
    written = f"{sign}{mantissa}e{exponent}"
    assert single(Fraction(decimal.Decimal(written))) == value
    return written


def exact_text(value):
    """A single's exact value in plain decimal, as it can be typed into a field."""
    whole, fraction = divmod(value, 1)
    decimals = ""
    while fraction:
        fraction *= 10
        decimals += str(fraction.numerator // fraction.denominator)
        fraction -= fraction.numerator // fraction.denominator
    return str(whole) + ("." + decimals if decimals else "")


def answer(value):
    return "fails" if value is None else nine_digits(value)


# --- the inputs ------------------------------------------------------------------------------


def whole_and_tenths(rng, count, low, high):
    values = []
    for i in range(count):
        whole = rng.randint(low, high)
        values.append(str(whole) if i % 2 == 0 else f"{whole}.{rng.randint(1, 9)}")
    return values


def calculate_rows(rng):
    rows = []
    blank = PLACEHOLDER

    def forward(a, b):
        rows.append(("A", (a, b, blank, blank)))

    def reverse(options, a, diameter, b=blank):
        given = (diameter, blank) if options == "V" else (blank, diameter)
        rows.append((options, (a, b) + given))

    # The definitions' own examples.
    for a, b in [("500", "400"), ("200", "400"), ("105", "147"), ("500", "0"), ("500", "320")]:
        forward(a, b)
    reverse("V", "500", "444")
    reverse("V", "201", "400")
    reverse("V", blank, "400")
    reverse("V", "", "400")
    for a, dl in [("500", "493.8"), ("800", "884.5"), ("1000", "1606")]:
        reverse("F", a, dl)
    reverse("F", blank, "500")
    reverse("F", "1.2.3", "500")
    reverse("N", "500", "493.8")  # no given diameter chosen reads DL
    # Sizes users type: whole millimetres and tenths, a few to a few thousand.
    sides = whole_and_tenths(rng, 120, 10, 4000)
    for a, b in zip(sides[0::2], sides[1::2]):
        forward(a, b)
    for a, b in zip(sides[0:40:2], sides[1:40:2]):
        # The other direction from a forward answer (the nearest whole or tenth as typed).
        dv = field_text(velocity(parse(a), parse(b)), 0)
        dl = field_text(flow(parse(a), parse(b)), 1)
        reverse("V", a, dv)
        reverse("F", a, dl)
    for diameter in whole_and_tenths(rng, 16, 50, 3000):
        reverse("V", blank, diameter)
        reverse("F", blank, diameter)
    # Halves: Dv exactly k + 0.5 goes to the even k; tenths exactly x.x5 to the even tenth.
    halves = [(a, b) for a in range(2, 400) for b in range(a, 400)
              if (4 * a * b) % (a + b) == 0 and (4 * a * b // (a + b)) % 2 == 1]
    for a, b in rng.sample(halves, 24):
        forward(str(a), str(b))
        reverse("F", str(a), field_text(flow(Fraction(a), Fraction(b)), 1))
    tenths = []
    for a in range(1, 700):
        for b in range(a, 700):
            # A cheap filter first: only a flow diameter that is a whole number of quarters.
            estimate = 1.27 * ((a**3 * b**3) / (a + b)) ** 0.2
            if abs(estimate * 4 - round(estimate * 4)) < 1e-4 and round(estimate * 4) % 2 == 1:
                dl = flow(Fraction(a), Fraction(b))
                if dl is not None and (dl * 4).denominator == 1 and (dl * 4) % 2 == 1:
                    tenths.append((a, b))
    for a, b in tenths[:16]:
        forward(str(a), str(b))
    for diameter in ["122.5", "123.5", "0.5", "1.5", "2.5", "999.5", "1000.5", "4194303.5"]:
        reverse("V", blank, diameter)
    # The ratio's bounds, 0.5 and 5 exclusive, the quotient narrowed to a single first.
    for diameter in ["400", "3", "7", "333.3", "1000", "0.2"]:
        d = parse(diameter)
        for ratio in [Fraction(1, 2), Fraction(5)]:
            for nudge in [Fraction(0), Fraction(1, 10**7), Fraction(-1, 10**7), Fraction(1, 10**5),
                          Fraction(-1, 10**5), Fraction(1, 10**3)]:
                side = d * ratio * (1 + nudge)
                text = f"{float(side):.10g}"
                reverse("V" if nudge >= 0 else "F", text, diameter)
    for a in ["0", "0.0", "300", blank, ""]:
        reverse("V", a, "0")
        reverse("F", a, "0")
    reverse("V", "0", "400")
    reverse("F", "0", "400")
    # Wrong input: the message and no write.
    for text in ["", blank, ".", "1.2.3", "12,5", "-1", "1e5", "１２", "0x10", "inf"]:
        forward(text, "400")
        forward("400", text)
        reverse("V", "300", text)
        reverse("F", "300", text)
    for text in ["12.", ".5", " \t12.5\t ", "007"]:
        forward(text, "400")
    # Near the single range: sides whose results fail, or pass; a text that rounds beyond it.
    largest = "340282346638528859811704183484516925440"
    huge = "340000000000000000000000000000000000000"
    beyond = "340282356779733661637539395458142568448"
    smallest = "0." + "0" * 44 + "1"
    for a, b in [(largest, largest), (huge, huge), (huge, "1"), ("1" + "0" * 38, "1" + "0" * 38),
                 ("0", "0"), ("0", "0.0"), (beyond, "1"), (smallest, "1"), (smallest, smallest),
                 ("18446744073709551616", "18446744073709551616"), ("0.04", "0.06")]:
        forward(a, b)
    for a, diameter in [(blank, largest), (blank, huge), ("16" + huge[2:], "30" + huge[2:]),
                        (largest, "3" + huge[1:]), (blank, smallest), (smallest, smallest),
                        ("1" + "0" * 30, "1" + "0" * 30)]:
        reverse("V", a, diameter)
        reverse("F", a, diameter)
    # The side search's last side, 2^24: the last whole number a single counts to. At side a
    # of about 5,000,000 the flow diameter of side b = 2^24 is about 9,770,000.
    a = 5000000
    while flow(Fraction(a), Fraction(LAST_SIDE)) == flow(Fraction(a), Fraction(LAST_SIDE - 1)):
        a += 1
    for b in [LAST_SIDE - 1, LAST_SIDE, LAST_SIDE - 1000]:
        reverse("F", str(a), field_text(flow(Fraction(a), Fraction(b)), 1))
        reverse("F", str(a), exact_text(flow(Fraction(a), Fraction(b))))
    reverse("F", "5100000", "10000000")
    for dl in ["1000000", "2500000.5", "7777777"]:
        reverse("F", str(int(parse(dl) * Fraction(6, 10))), dl)
    return rows


def formula_rows(rng):
    def length(low_exponent, high_exponent):
        exponent = rng.uniform(low_exponent, high_exponent)
        return single(Fraction(decimal.Decimal(10) ** decimal.Decimal(str(round(exponent, 6)))))

    edges = [Fraction(0), single(Fraction(1, 10**45)), Fraction(1), Fraction(2**24),
             single(Fraction(18 * 10**18)), single(Fraction(3 * 10**38)),
             single(Fraction((2**24 - 1) * 2**104))]
    lengths = edges + [length(-2, 21) for _ in range(40)]
    lengths += [single(Fraction(round(float(x) * 10), 10)) for x in lengths[7:27]]
    rows = []
    pairs = [(x, y) for x in lengths for y in lengths]
    for x, y in rng.sample(pairs, 60) + [(x, x) for x in edges]:
        for b in (y, -y):
            rows.append(f"flow {nine_digits(x)} {nine_digits(b)} = {answer(flow(x, b))}")
    for x, y in rng.sample(pairs, 40) + [(x, x) for x in edges]:
        for b in (y, -y):
            rows.append(f"velocity {nine_digits(x)} {nine_digits(b)} = {answer(velocity(x, b))}")
            rows.append(f"side {nine_digits(x)} {nine_digits(b)} = "
                        f"{answer(side_from_velocity(x, b))}")
    for x in lengths:
        rows.append(f"square {nine_digits(x)} = {answer(square_side(x))}")
    for a, d in rng.sample(pairs, 30):
        for divisor in (d, -d, single(d / 2), single(d * 5)):
            if divisor is not None:
                verdict = "accepted" if ratio_accepted(a, divisor) else "rejected"
                rows.append(f"ratio {nine_digits(a)} {nine_digits(divisor)} = {verdict}")
    for a, d in [(100, 200), (101, 200), (999, 200), (1000, 200), (0, 200), (300, 0)]:
        verdict = "accepted" if ratio_accepted(Fraction(a), Fraction(d)) else "rejected"
        rows.append(f"ratio {a} {d} = {verdict}")
    bound = single(Fraction(5) + Fraction(1, 2**21))
    rows.append(f"ratio {nine_digits(bound)} {nine_digits(single(1 + Fraction(1, 2**23)))} = "
                f"{'accepted' if ratio_accepted(bound, single(1 + Fraction(1, 2**23))) else 'rejected'}")
    for a in [1, 7, 500, 1000, 3000, 123456]:
        for factor in [Fraction(6, 10), Fraction(1), Fraction(27, 10), Fraction(9, 2)]:
            dl = single(Fraction(a) * factor)
            rows.append(f"search {nine_digits(dl)} {a} = {answer(search_side(dl, Fraction(a)))}")
    for dl, a in [(Fraction(-1), Fraction(500)), (Fraction(0), Fraction(500))]:
        rows.append(f"search {nine_digits(dl)} {nine_digits(a)} = {answer(search_side(dl, a))}")
    return rows


def main():
    rng = random.Random(20261209)
    lines = [
        "# What the calculator gives, computed by tests/calc/known_answers.py from the rules alone",
        "# (exact fractions, rounded to doubles and singles by integer arithmetic; the fifth root",
        "# with 80 digits), not by the program. Rows:",
        "#   OPTIONS SIDE-A SIDE-B DV DL : OUTCOME   the calculate button. OPTIONS: A forward; V, F",
        "#     or N the reverse direction with Dv, DL or neither given. Each text as in its field,",
        "#     ~ for an empty one. OUTCOME: 'input' or 'ratio' when a message is shown, then the",
        "#     fields written in order (A0 side a, A1 side b, D0 Dv, D1 DL).",
        "#   FORMULA INPUTS... = RESULT   a formula's single to the bit (nine digits), 'fails',",
        "#     or the ratio check's verdict.",
    ]
    for options, texts in calculate_rows(rng):
        shown = " ".join(text if text else "~" for text in texts)
        lines.append(f"{options} {shown} : {calculate(options, texts)}")
    lines += formula_rows(rng)
    lines = list(dict.fromkeys(lines))  # each row once
    TABLE.write_text("\n".join(lines) + "\n", encoding="utf-8")
    print(f"{TABLE}: {len(lines)} lines")


if __name__ == "__main__":
    main()
