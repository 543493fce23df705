#!/usr/bin/env python3
"""Writes cmath_vectors.txt: the rows of CPython's cmath_testcases.txt that the calculator's
complex functions are expected to meet. Usage: extract_cmath_vectors.py SOURCE > cmath_vectors.txt

Each rule below names why a row is left out; every other row is kept."""
import math
import sys

FUNCTIONS = {"acos", "acosh", "asin", "asinh", "atan", "atanh", "cos", "cosh", "exp",
             "log", "log10", "sin", "sinh", "sqrt", "tan", "tanh"}


def near(z, points, distance):
    return any(abs(z - p) < distance for p in points)


def exclusion(function, re_text, im_text, values, flags):
    """The reason for leaving a row out, or None to keep it."""
    if function not in FUNCTIONS:
        return "not a function of the calculator"
    if flags or any("inf" in v or "nan" in v for v in values):
        return "special values: the calculator has no infinities or NaNs and reports errors instead"
    re, im = float(values[0]), float(values[1])
    if (re == 0 and re_text.startswith("-")) or (im == 0 and im_text.startswith("-")):
        return "signed zero input: the calculator has no negative zero"
    if function in ("asin", "acos") and im == 0 and abs(re) > 1:
        return "real input outside [-1, 1]: the calculator reports its domain error"
    if function == "atanh" and im == 0 and abs(re) > 1:
        return "on the branch cut: the side taken depends on the sign of a zero part"
    if function in ("atan", "asinh") and re == 0 and abs(im) > 1:
        return "on the branch cut: the side taken depends on the sign of a zero part"
    z = complex(re, im)
    modulus = math.hypot(re, im)
    if modulus != 0 and not 1e-150 <= modulus <= 1e150:
        return "|z|^2 (modulus, division, power) overflows or underflows"
    if function in ("exp", "sinh", "cosh") and abs(re) > 709:
        return "e^x overflows before it is scaled by the cosine or sine"
    if function == "tanh" and abs(re) > 354:
        return "the square of cosh x in the division overflows"
    if function == "tan" and abs(im) > 354:
        return "the square of e^(iz) overflows"
    if function in ("asin", "acos", "asinh") and re != 0 and im != 0 and modulus > 10:
        return "ln(iz + sqrt(1 - z*z)) cancels for large |z| (error grows as |z|^2)"
    if function in ("atan", "atanh") and im != 0 and modulus < 1e-2:
        return "ln(1 - iz) - ln(1 + iz) cancels for small |z|"
    if function in ("atan", "atanh") and im != 0 and near(z, (1, -1, 1j, -1j), 1e-2):
        return "next to a logarithmic singularity, the modulus squared loses digits"
    if function == "tan" and im == 0:
        turns = (re - math.pi / 2) / math.pi
        if abs(turns - round(turns)) * math.pi < 1e-2:
            return "next to a pole: the cosine is the sine of (pi/2 - x) with pi/2 rounded"
    return None


def main():
    kept = []
    reasons = {}
    with open(sys.argv[1], encoding="ascii") as source:
        for line in source:
            fields = line.split()
            if not fields or line.startswith("--"):
                continue
            identifier, function, re_text, im_text, _, out_re, out_im = fields[:7]
            flags = fields[7:]
            reason = exclusion(function, re_text, im_text, [re_text, im_text, out_re, out_im], flags)
            if reason:
                reasons[reason] = reasons.get(reason, 0) + 1
            else:
                kept.append(f"{identifier} {function} {re_text} {im_text} -> {out_re} {out_im}")
    print("-- Test vectors for the complex functions, taken from CPython's test suite")
    print("-- (Lib/test/mathdata/cmath_testcases.txt, Python Software Foundation License) by")
    print("-- tests/data/extract_cmath_vectors.py. Expected values are correctly rounded.")
    print("-- <id> <function> <re> <im> -> <re> <im>")
    print(f"-- Kept {len(kept)} rows; left out:")
    for reason, count in sorted(reasons.items(), key=lambda item: -item[1]):
        print(f"--   {count:4d} {reason}")
    for row in kept:
        print(row)


if __name__ == "__main__":
    main()
