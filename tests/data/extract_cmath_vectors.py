#!/usr/bin/env python3
"""Writes cmath_vectors.txt: the rows of CPython's cmath_testcases.txt that the calculator's
complex functions are expected to meet. Usage: extract_cmath_vectors.py SOURCE > cmath_vectors.txt

Each rule below names why a row is left out; every other row is kept."""
import math
import sys

FUNCTIONS = {"acos", "acosh", "asin", "asinh", "atan", "atanh", "cos", "cosh", "exp",
             "log", "log10", "sin", "sinh", "sqrt", "tan", "tanh"}


def cut_side(function, re, im):
    """The signs of the zero parts the calculator's side of a branch cut stands for: arctan and
    arcsinh of iy (|y| > 1) continue the half plane of y's sign, arctanh of a real x (|x| > 1) the
    half plane opposite to x's sign; every other zero part is +0."""
    re_sign, im_sign = 1.0, 1.0
    if function in ("atan", "asinh") and re == 0 and abs(im) > 1:
        re_sign = math.copysign(1.0, im)
    if function == "atanh" and im == 0 and abs(re) > 1:
        im_sign = -math.copysign(1.0, re)
    return re_sign, im_sign


def exclusion(function, re_text, im_text, values, flags):
    """The reason for leaving a row out, or None to keep it."""
    if function not in FUNCTIONS:
        return "not a function of the calculator"
    if flags or any("inf" in v or "nan" in v for v in values):
        return "special values: the calculator has no infinities or NaNs and reports errors instead"
    re, im = float(values[0]), float(values[1])
    re_sign, im_sign = cut_side(function, re, im)
    if (re == 0 and math.copysign(1.0, re) != re_sign) or (im == 0 and math.copysign(1.0, im) != im_sign):
        return "signed zero input: the calculator has no negative zero (its side of a cut is kept)"
    if function in ("asin", "acos") and im == 0 and abs(re) > 1:
        return "real input outside [-1, 1]: the calculator reports its domain error"
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
                kept.append(f"{identifier} {function} {re_text.lstrip('-') if float(re_text) == 0 else re_text} "
                            f"{im_text.lstrip('-') if float(im_text) == 0 else im_text} -> {out_re} {out_im}")
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
