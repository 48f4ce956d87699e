"""The engine benchmark's SciPy side: one test on one data file, as a Python user would run it:
pandas.read_csv, then scipy.stats (or numpy and the textbook formula where SciPy has no function).
Prints the seconds from the start of reading to the result, and the significance.

Usage: /usr/bin/python3 scripts/bench-peers.py TEST FILE.csv   (Debian's python3 with SciPy)
"""
import sys
import time

import numpy as np
import pandas as pd
from scipy import stats


def runs_p(x, cut):
    s = x > cut
    n1, n2 = int((~s).sum()), int(s.sum())
    n = n1 + n2
    r = 1 + int((s[1:] != s[:-1]).sum())
    mu = 2.0 * n1 * n2 / n + 1
    v = 2.0 * n1 * n2 * (2.0 * n1 * n2 - n) / (n * n * (n - 1.0))
    return 2 * stats.norm.sf(abs((r - mu) / np.sqrt(v)))


def cochran_p(m):
    k = m.shape[1]
    cs, rs = m.sum(axis=0), m.sum(axis=1)
    q = (k - 1) * (k * (cs ** 2).sum() - cs.sum() ** 2) / (k * rs.sum() - (rs ** 2).sum())
    return stats.chi2.sf(q, k - 1)


def main():
    test, path = sys.argv[1], sys.argv[2]
    start = time.perf_counter()
    d = pd.read_csv(path)
    if test == "chisquare":
        p = stats.chisquare(d["cat"].value_counts().to_numpy()).pvalue
    elif test == "binomial":
        p = stats.binomtest(int((d["x"] <= 0).sum()), len(d)).pvalue
    elif test == "runs":
        x = d["x"].to_numpy()
        p = runs_p(x, np.median(x))
    elif test == "wilcoxon":
        p = stats.wilcoxon(d["x"].to_numpy(), correction=False, method="approx").pvalue
    elif test == "ks":
        p = stats.kstest(d["x"].to_numpy(), "norm", method="asymp").pvalue
    elif test == "fieldinfo":
        x = d["x"].to_numpy()
        np.histogram(x, bins="sturges")
        p = x.mean() + x.std(ddof=1)
    elif test == "mannwhitney":
        a = d.loc[d["g2"] == 1, "x"].to_numpy()
        b = d.loc[d["g2"] == 2, "x"].to_numpy()
        p = stats.mannwhitneyu(a, b, use_continuity=False, method="asymptotic").pvalue
    elif test == "kruskal":
        groups = [g["x"].to_numpy() for _, g in d.groupby("g")]
        p = stats.kruskal(*groups).pvalue
        # Dunn's pairwise comparisons from the pooled ranks, Bonferroni-adjusted.
        r = stats.rankdata(d["x"].to_numpy())
        n = len(r)
        _, t = np.unique(d["x"].to_numpy(), return_counts=True)
        s2 = n * (n + 1) / 12.0 - (t ** 3 - t).sum() / (12.0 * (n - 1))
        means = pd.Series(r).groupby(d["g"].to_numpy()).agg(["mean", "size"])
        k = len(means)
        for i in range(k):
            for j in range(i + 1, k):
                z = (means["mean"].iloc[i] - means["mean"].iloc[j]) / np.sqrt(
                    s2 * (1 / means["size"].iloc[i] + 1 / means["size"].iloc[j]))
                min(1.0, 2 * stats.norm.sf(abs(z)) * k * (k - 1) / 2)
    elif test == "median":
        p = stats.median_test(*[g["x"].to_numpy() for _, g in d.groupby("g")],
                              correction=False)[1]
    elif test == "friedman":
        p = stats.friedmanchisquare(*[d[c].to_numpy() for c in ("r1", "r2", "r3", "r4")]).pvalue
    elif test == "cochran":
        p = cochran_p(d[["b1", "b2", "b3", "b4"]].to_numpy())
    else:
        sys.exit("unknown test " + test)
    print("%.6f %.10g" % (time.perf_counter() - start, p))


if __name__ == "__main__":
    main()
