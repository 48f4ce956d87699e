#!/usr/bin/env python3
"""Writes the example result documents examples/<name>.xml and their NPTESTS commands
examples/<name>.sps from small public data sets, computing every statistic that the documents carry.

Run from anywhere: `python3 scripts/make_examples.py`. Running it twice gives byte-identical files:
the Monte Carlo draws use fixed seeds and every number is written in its shortest exact form.

Data sets (examples/data/*.csv) are copies of the data frames of R's `datasets` package (R 4.2.2,
Debian package r-base-core), written with write.csv; each example below names the one it uses.

References cited in the comments:
  [CS]  Siegel, S. & Castellan, N. J. (1988). Nonparametric Statistics for the Behavioral Sciences,
        2nd ed. McGraw-Hill.
  [HW]  Hollander, M. & Wolfe, D. A. (1999). Nonparametric Statistical Methods, 2nd ed. Wiley.
  [SH]  Sheskin, D. J. (2011). Handbook of Parametric and Nonparametric Statistical Procedures,
        5th ed. Chapman & Hall.
  [DU]  Dunn, O. J. (1964). Multiple comparisons using rank sums. Technometrics 6, 241-252.
  [CSK] Campbell, G. & Skillings, J. H. (1985). Nonparametric stepwise multiple comparison
        procedures. JASA 80, 998-1003.
  [DW]  Dallal, G. E. & Wilkinson, L. (1986). An analytic approximation to the distribution of
        Lilliefors's test statistic for normality. The American Statistician 40, 294-296.
  [LI]  Lilliefors, H. W. (1967). On the Kolmogorov-Smirnov test for normality with mean and
        variance unknown. JASA 62, 399-402.
  [MO]  Moses, L. E. (1952). A two-sample test. Psychometrika 17, 239-247 (exact distribution of
        the span, as given in [CS] section 6.10).
  [AG]  Agresti, A. (2010). Analysis of Ordinal Categorical Data, 2nd ed. Wiley (section 9.3: the
        conditional test of marginal homogeneity for ordered categories).
  [BR]  Brown, L. D., Cai, T. T. & DasGupta, A. (2001). Interval estimation for a binomial
        proportion. Statistical Science 16, 101-133 (Clopper-Pearson, Jeffreys and
        likelihood-ratio intervals).
"""

import math
import os
import shutil
import subprocess
import sys

SYSTEM_PYTHON = "/usr/bin/python3"


def _have_scipy(python):
    """True when that interpreter can import numpy and scipy.stats."""
    result = subprocess.run([python, "-c", "import numpy, scipy.stats"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return result.returncode == 0


def _ensure_scipy():
    """Makes numpy and scipy importable: Debian's python3-numpy and python3-scipy, installed with
    apt-get when missing (as root), then this script re-run by the system interpreter if the
    current one (a virtual environment, pyenv) cannot see Debian's packages."""
    try:
        import numpy  # noqa: F401
        import scipy.stats  # noqa: F401
        return
    except ImportError:
        pass
    if os.path.exists(SYSTEM_PYTHON) and not _have_scipy(SYSTEM_PYTHON):
        if os.geteuid() != 0 or shutil.which("apt-get") is None:
            sys.exit("make_examples: numpy and scipy are missing; install python3-numpy and "
                     "python3-scipy (apt-get install python3-numpy python3-scipy) and run again")
        env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
        subprocess.run(["apt-get", "update"], check=True, env=env)
        subprocess.run(["apt-get", "install", "-y", "python3-numpy", "python3-scipy"],
                       check=True, env=env)
    if os.environ.get("MAKE_EXAMPLES_REEXEC") != "1" and os.path.exists(SYSTEM_PYTHON):
        os.environ["MAKE_EXAMPLES_REEXEC"] = "1"
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + sys.argv)
    sys.exit("make_examples: numpy and scipy cannot be imported even after installing them")


_ensure_scipy()

import csv  # noqa: E402
import datetime  # noqa: E402
import warnings  # noqa: E402

import numpy as np  # noqa: E402
from scipy import optimize, stats  # noqa: E402

# scipy.stats.wilcoxon warns that ten differences are few for its normal approximation; the
# engine uses that approximation all the same, so the examples do too.
warnings.filterwarnings("ignore", message="Sample size too small for normal approximation")

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXAMPLES_DIR = os.path.join(ROOT, "examples")
DATA = os.path.join(EXAMPLES_DIR, "data")

ALPHA = 0.05        # significance level of every run (CRITERIA ALPHA=0.05)
CONFIDENCE = 0.95   # confidence level of every run (CRITERIA CILEVEL=95)
MC_SAMPLES = 10000  # Monte Carlo samples of the simulated Kolmogorov-Smirnov companions
MC_LEVEL = 99.0     # their confidence level, percent
# CRITERIA SEED of the runs with a simulation. The documents do not record their seed, so a run
# without a command assumes the plug-in's default; the examples use it, and their reports read the
# same with or without their commands.
MC_SEED = 2000000

# Messages that the examples carry. The code is the key of the message text in the string table of
# the procedure; the English text is what that key should say (listed in examples/README.md).
MESSAGES = {
    222301: "Some differences are zero; those cases are left out of the ranks. Cases with a zero "
            "difference: ^1.",
    222302: "There are ^1 ties between the groups. The test is computed for the minimum and the "
            "maximum possible number of runs.",
    222303: "The exact significance is not computed for more than ^1 cases; the asymptotic "
            "significance is shown.",
}


# ---------------------------------------------------------------------------------------------
# Number and XML text


def num(value):
    """Shortest exact text of a number: integers without a decimal point, other doubles by repr
    (which round-trips), the missing value as __MISSING__."""
    if value is None:
        return "__MISSING__"
    value = float(value)
    if math.isnan(value):
        return "__MISSING__"
    if value == int(value) and abs(value) < 1e15:
        return str(int(value))
    return repr(value)


def nums(values):
    return " ".join(num(v) for v in values)


def xml_escape(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;"))


class E:
    """One XML element: tag, ordered attributes, children and text."""

    def __init__(self, tag, attrs=None, children=None, text=None):
        self.tag = tag
        self.attrs = attrs or []
        self.children = [c for c in (children or []) if c is not None]
        self.text = text

    def lines(self, depth=0):
        pad = "  " * depth
        attrs = "".join(' %s="%s"' % (k, xml_escape(str(v))) for k, v in self.attrs)
        if self.text is not None:
            return [pad + "<%s%s>%s</%s>" % (self.tag, attrs, xml_escape(self.text), self.tag)]
        if not self.children:
            return [pad + "<%s%s/>" % (self.tag, attrs)]
        out = [pad + "<%s%s>" % (self.tag, attrs)]
        for child in self.children:
            out.extend(child.lines(depth + 1))
        out.append(pad + "</%s>" % self.tag)
        return out


def A(name, value):
    """An Attribute: a text as is, a number or a list of numbers in exact form."""
    if isinstance(value, str):
        text = value
    elif isinstance(value, (list, tuple, np.ndarray)):
        text = nums(value)
    else:
        text = num(value)
    return E("Attribute", [("name", name), ("value", text)])


def ST(name, *children):
    return E("StructuredTable", [("name", name)], list(children))


def SIMPLE(name, row_names, column_names, rows):
    children = [E("RowNames", text=" ".join(row_names)),
                E("ColumnNames", text=" ".join(column_names))]
    children += [E("Row", text=nums(row)) for row in rows]
    return E("SimpleTable", [("name", name)], children)


def condition(key, params, use_sample=False):
    """The "Condition" table: the key of the null-hypothesis text and its numbered parameters."""
    items = [A("ConditionKey", key)]
    items += [A("%%%d" % i, p if isinstance(p, (list, tuple)) else [p])
              for i, p in enumerate(params)]
    if use_sample:
        items.append(A("isUseSample", "true"))
    return ST("Condition", *items)


def messages(*entries):
    """The "WarningMessages" table; each entry is (code, type, parameters, group)."""
    tables = []
    for n, (code, kind, params, group) in enumerate(entries, start=1):
        assert code in MESSAGES, "message %d has no English text in MESSAGES" % code
        assert MESSAGES[code].count("^") == len(params), "message %d parameters" % code
        items = [A("code", code), A("type", kind), A("paramNum", len(params))]
        items += [A("%%%d" % i, [p]) for i, p in enumerate(params)]
        if group:
            items.append(A("group", group))
        tables.append(ST("Message%d" % n, *items))
    return ST("WarningMessages", *tables)


def results(*groups):
    """The "StatisticsResult" table: (None, [(name, value)...]) for top-level statistics,
    (name, [...]) for a named group."""
    children = []
    for name, attrs in groups:
        items = [A(k, v) for k, v in attrs]
        if name is None:
            children.extend(items)
        else:
            children.append(ST(name, *items))
    return ST("StatisticsResult", *children)


def algorithm(name, classification, decision, *tables):
    attrs = [("name", name), ("classification", classification)]
    if decision is not None:
        attrs.append(("decision", decision))
    return E("Algorithm", attrs, list(tables))


def decide(sig):
    """The engine's decision at the run's significance level."""
    return "reject" if sig < ALPHA else "retain"


# ---------------------------------------------------------------------------------------------
# Data dictionary and field distributions


class Field:
    """One field of a document's dictionary. Categorical fields list their values (value text,
    label); the data of a categorical field are positions in that list."""

    def __init__(self, name, label, optype, dtype, values=None, data=None):
        self.name, self.label, self.optype, self.dtype = name, label, optype, dtype
        self.values = values or []
        self.data = None if data is None else np.asarray(data, dtype=float)


# The engine appends the case-frequency field it used after the fields of the run; it carries no
# distribution, and the reader makes no field record for the last field of the dictionary.
CASE_FREQUENCY = Field("CaseFrequency", "Case frequency", "continuous", "integer")


def dictionary(fields):
    out = []
    for i, f in enumerate(fields + [CASE_FREQUENCY]):
        values = [E("Value", [("index", j), ("value", v), ("displayValue", label)])
                  for j, (v, label) in enumerate(f.values)]
        out.append(E("DataField", [("index", i), ("name", f.name), ("displayName", f.label),
                                   ("optype", f.optype), ("dataType", f.dtype)], values))
    return E("DataDictionary", [], out)


def histogram(x):
    """Bin counts and bin midpoints by Sturges' rule (numpy.histogram_bin_edges)."""
    edges = np.histogram_bin_edges(x, bins="sturges")
    counts, edges = np.histogram(x, bins=edges)
    mids = (edges[:-1] + edges[1:]) / 2.0
    return counts, mids


def interval_table(x, edges=None):
    counts, mids = histogram(x) if edges is None else (
        np.histogram(x, bins=edges)[0], (edges[:-1] + edges[1:]) / 2.0)
    names = [str(i + 1) for i in range(len(counts))]
    return SIMPLE("Interval", ["Count", "Value"], names, [counts, mids])


def field_info(index, field):
    """One FieldInfo: counts per category (row 0) and category positions (row 1) of a categorical
    field; N, minimum, maximum, mean, standard deviation (numpy, ddof=1) and a histogram of a
    continuous one."""
    x = field.data[~np.isnan(field.data)]
    if field.optype == "continuous":
        table = ST("ContinuousDistribution", A("TotalN", len(x)), A("Min", x.min()),
                   A("Max", x.max()), A("Mean", x.mean()), A("StdDev", x.std(ddof=1)),
                   interval_table(x))
    else:
        positions = list(range(len(field.values)))
        counts = [int(np.sum(x == p)) for p in positions]
        table = ST("CategoricalDistribution", A("TotalN", len(x)),
                   SIMPLE("Interval", ["Count", "Value"], [str(p) for p in positions],
                          [counts, positions]))
    return E("FieldInfo", [("varIndex", index)], [table])


def document(fields, tested, tests, total, missing="analysis", dropped=0):
    """The whole result document: fields of the dictionary, indexes of the tested fields (one
    FieldInfo each), the Algorithm elements, the case count and the missing-value treatment."""
    hypothesis_tests = sum(1 for t in tests if t.attrs[0][1] not in (
        "OEstimateConfidenceInterval", "OLilliefors", "RHodgesLehmannEstimatePairs",
        "IHodgesLehmannEstimateGroups"))
    root = E("StatXML", [], [
        E("PMMLModel", [("modelType", "NonParametricTests")]),
        E("DescriptiveModel", [], [E("DescriptiveSummary", [], [
            E("Counts", [("totalFreq", total), ("totalCount", total), ("droppedCount", dropped),
                         ("badWeightCount", 0), ("droppedFreq", dropped)])])]),
        E("Extension", [], [E("NPAROutput", [], [
            dictionary(fields),
            E("NonParametricTests", [("number", hypothesis_tests), ("sigLevel", num(ALPHA)),
                                     ("confidenceLevel", num(CONFIDENCE)),
                                     ("missingTreatment", missing)], tests),
            E("FieldInfos", [], [field_info(i, fields[i]) for i in tested]),
        ])]),
    ])
    return '<?xml version="1.0" encoding="UTF-8"?>\n' + "\n".join(root.lines()) + "\n"


# ---------------------------------------------------------------------------------------------
# Reading the data sets


def read_csv(name):
    with open(os.path.join(DATA, name), newline="") as f:
        return list(csv.DictReader(f))


def column(rows, key):
    return np.array([float("nan") if r[key] == "NA" else float(r[key]) for r in rows])


def codes(rows, key, values):
    """Positions of a text column's values in the list of (value, label) pairs."""
    index = {v: i for i, (v, _) in enumerate(values)}
    return np.array([index[r[key]] for r in rows], dtype=float)


# ---------------------------------------------------------------------------------------------
# Shared statistics


def ties_term(x):
    """Sum of t^3 - t over the groups of tied values ([CS] eq. 8.4)."""
    _, t = np.unique(x, return_counts=True)
    return float(np.sum(t.astype(float) ** 3 - t))


def two_sided_normal(z):
    return 2.0 * stats.norm.sf(abs(z))


def bonferroni(p, comparisons):
    return min(1.0, p * comparisons)


def box_group(values, case_numbers):
    """Box statistics as the box plots draw them: quartiles by the (n+1)p rule
    (numpy.percentile, method "weibull"), whiskers at the most extreme values within 1.5 times
    the interquartile range of the quartiles (Tukey), the values beyond them as outliers with
    their case numbers."""
    q1, med, q3 = np.percentile(values, [25, 50, 75], method="weibull")
    low_fence, high_fence = q1 - 1.5 * (q3 - q1), q3 + 1.5 * (q3 - q1)
    inside = values[(values >= low_fence) & (values <= high_fence)]
    outside = [(v, c) for v, c in zip(values, case_numbers) if v < low_fence or v > high_fence]
    box = SIMPLE("Box", ["Box"], ["Lower", "Q1", "Median", "Q3", "Upper"],
                 [[inside.min(), q1, med, q3, inside.max()]])
    outliers = SIMPLE("Outliers", ["Value", "Case"], [str(i + 1) for i in range(len(outside))],
                      [[v for v, _ in outside], [c for _, c in outside]]) if outside else None
    return box, outliers


def box_plot_info(group_field_index, y, g, k, extra=None):
    """The "BoxPlotInfo" table of a k-sample test: one nested group table per group, with the
    group's position, size, mean rank in the pooled ranking (scipy.stats.rankdata, average ranks),
    box and outliers. extra(position) adds attributes of a test (the median test's counts)."""
    ranks = stats.rankdata(y)
    cases = np.arange(1, len(y) + 1)
    groups = []
    for p in range(k):
        sel = g == p
        box, outliers = box_group(y[sel], cases[sel])
        attrs = [A("GroupIndex", p), A("N", int(sel.sum())), A("MeanOfRank", ranks[sel].mean())]
        attrs += [A(n, v) for n, v in (extra(p) if extra else [])]
        groups.append(ST("Group%d" % (p + 1), *(attrs + [box, outliers])))
    return ST("BoxPlotInfo", A("GroupFieldIndex", group_field_index), A("GroupCount", k),
              A("GrandMedian", np.median(y)), *groups)


# ---------------------------------------------------------------------------------------------
# One-sample tests


def binomial_interval_tables(x, n):
    """The three intervals of a success rate x/n at the run's confidence level ([BR]):
    Clopper-Pearson from beta quantiles (scipy.stats.beta.ppf), Jeffreys from the Beta(x+1/2,
    n-x+1/2) posterior quantiles, and the likelihood-ratio interval: the p where
    2 (l(x/n) - l(p)) equals the chi-square(1) quantile (scipy.optimize.brentq)."""
    a = 1.0 - CONFIDENCE
    p_hat = x / n
    cp = (stats.beta.ppf(a / 2, x, n - x + 1) if x > 0 else 0.0,
          stats.beta.ppf(1 - a / 2, x + 1, n - x) if x < n else 1.0)
    jeffreys = (stats.beta.ppf(a / 2, x + 0.5, n - x + 0.5),
                stats.beta.ppf(1 - a / 2, x + 0.5, n - x + 0.5))
    crit = stats.chi2.ppf(CONFIDENCE, 1)

    def loglik(p):
        return (x * math.log(p) if x else 0.0) + ((n - x) * math.log(1 - p) if n - x else 0.0)

    def gap(p):
        return 2.0 * (loglik(p_hat) - loglik(p)) - crit

    eps = 1e-12
    lr = (optimize.brentq(gap, eps, p_hat, xtol=1e-15) if x > 0 else 0.0,
          optimize.brentq(gap, p_hat, 1 - eps, xtol=1e-15) if x < n else 1.0)
    out = []
    for name, (lo, hi) in (("ClopperPearson", cp), ("Jeffreys", jeffreys),
                           ("ProfileLikelihood", lr)):
        out.append(ST(name, A("computeECIMethod", name), A("Estimate", p_hat),
                      ST("Interval", A("Lower", lo), A("Upper", hi))))
    return out


def binomial_test(field_index, successes, n, key, params, ci_key, ci_params, decision_p=0.5):
    """A binomial test of the first category (or of the values at or below the cut point) with
    test proportion 0.5: exact two-sided significance from scipy.stats.binomtest; the normal
    approximation (x - np)/sqrt(np(1-p)) as the standardized statistic. Returns the test and its
    interval estimate."""
    p = decision_p
    exact = stats.binomtest(successes, n, p).pvalue
    se = math.sqrt(n * p * (1 - p))
    observed = [100.0 * successes / n, 100.0 * (n - successes) / n]
    test = algorithm(
        "OBinomial", "One_Sample", decide(exact),
        condition(key, [field_index] + params),
        results((None, [("TotalN", n), ("TestStatistic", successes), ("StandardError", se),
                        ("StandardizedTestStatistic", (successes - n * p) / se),
                        ("ExactSig2Tailed", exact)])),
        ST("TwoClassComparison", SIMPLE("Content", ["Observed", "Hypothesized"], ["0", "1"],
                                        [observed, [100.0 * p, 100.0 * (1 - p)]])))
    interval = algorithm("OEstimateConfidenceInterval", "One_Sample", None,
                         condition(ci_key, [field_index] + ci_params),
                         *binomial_interval_tables(successes, n))
    return test, interval


def chi_square_test(field_index, positions, k):
    """Chi-square test of equal category frequencies (scipy.stats.chisquare)."""
    observed = np.array([np.sum(positions == p) for p in range(k)], dtype=float)
    expected = np.full(k, observed.sum() / k)
    chi2, sig = stats.chisquare(observed, expected)
    return algorithm(
        "OChiSquare", "One_Sample", decide(sig),
        condition("DefaultEqualProbabilities_O_ChiSquare_1", [field_index]),
        results((None, [("TotalN", observed.sum()), ("TestStatistic", chi2),
                        ("DegreeOfFreedom", k - 1), ("AsymptoticSig2Tailed", sig)])),
        ST("TwoClassComparison", SIMPLE("Content", [str(p) for p in range(k)],
                                        ["Observed", "Hypothesized"],
                                        [[o, e] for o, e in zip(observed, expected)])))


def runs_test(field_index, x, cut):
    """Runs test about a cut point: cases below the cut against cases at or above it; mean and
    variance of the number of runs R from [CS] eq. 4.12-4.13, z = (R - mean)/sd without a
    continuity correction (n >= 50), two-sided normal significance."""
    above = x >= cut
    n1, n2 = int((~above).sum()), int(above.sum())
    n = n1 + n2
    runs = 1 + int(np.sum(above[1:] != above[:-1]))
    mean = 2.0 * n1 * n2 / n + 1.0
    sd = math.sqrt(2.0 * n1 * n2 * (2.0 * n1 * n2 - n) / (n * n * (n - 1.0)))
    z = (runs - mean) / sd
    sig = two_sided_normal(z)
    return algorithm(
        "ORuns", "One_Sample", decide(sig),
        condition("ACutPointIsSpecified_O_Runs_2", [field_index, cut]),
        results((None, [("TotalN", n), ("TestValue", cut), ("TestStatistic", runs),
                        ("StandardError", sd), ("StandardizedTestStatistic", z),
                        ("AsymptoticSig2Tailed", sig)])),
        ST("RunsParameters", A("Mean", mean), A("StdDev", sd), A("ObservedRunNumber", runs)))


def signed_ranks(d):
    """Wilcoxon signed-rank statistic of differences d, zeros left out ([CS] section 5.4): the sum
    of positive ranks W+, its mean n(n+1)/4 and its standard deviation with the tie correction
    sqrt(n(n+1)(2n+1)/24 - sum(t^3-t)/48). The two-sided significance is scipy.stats.wilcoxon's
    normal approximation (zero_method "wilcox", no continuity correction), which uses the same
    formula."""
    nonzero = d[d != 0]
    n = len(nonzero)
    r = stats.rankdata(np.abs(nonzero))
    w_plus = float(r[nonzero > 0].sum())
    mean = n * (n + 1) / 4.0
    se = math.sqrt(n * (n + 1) * (2 * n + 1) / 24.0 - ties_term(np.abs(nonzero)) / 48.0)
    z = (w_plus - mean) / se
    sig = stats.wilcoxon(nonzero, zero_method="wilcox", correction=False, method="approx").pvalue
    assert abs(sig - two_sided_normal(z)) < 1e-12, "signed-rank significance disagrees with scipy"
    return w_plus, se, z, sig, len(d) - n


def one_sample_wilcoxon(field_index, x, test_value):
    w_plus, se, z, sig, zeros = signed_ranks(x - test_value)
    tables = [condition("O_WilcoxonSignedRanks_2", [field_index, test_value]),
              results((None, [("TotalN", len(x)), ("TestStatistic", w_plus),
                              ("StandardError", se), ("StandardizedTestStatistic", z),
                              ("AsymptoticSig2Tailed", sig)])),
              ST("ContinuousDistribution", A("HypotheticalMedian", test_value),
                 A("ObservedMedian", np.median(x)), interval_table(x))]
    if zeros:
        tables.insert(1, messages((222301, "warning", [zeros], None)))
    return algorithm("OWilcoxonSignedRanks", "One_Sample", decide(sig), *tables)


KS_KEYS = {
    "normal": ("NormalDistribution_O_KolmogorovSmirnov_3", "NormalDistribution_O_Lilliefors_3"),
    "uniform": ("UniformDistribution_O_KolmogorovSmirnov_3", "UniformDistribution_O_Lilliefors_3"),
    "exponential": ("ExponentialDistribution_O_KolmogorovSmirnov_2",
                    "ExponentialDistribution_O_Lilliefors_2"),
    "poisson": ("PoissonDistribution_O_KolmogorovSmirnov_2", None),
}


def sample_parameters(dist, x):
    """Parameters estimated from the sample: mean and standard deviation (ddof=1), minimum and
    maximum, or the mean."""
    if dist == "normal":
        return [float(x.mean()), float(x.std(ddof=1))]
    if dist == "uniform":
        return [float(x.min()), float(x.max())]
    return [float(x.mean())]


def cdf(dist, params):
    if dist == "normal":
        return stats.norm(params[0], params[1]).cdf
    if dist == "uniform":
        return stats.uniform(params[0], params[1] - params[0]).cdf
    if dist == "exponential":
        return stats.expon(scale=params[0]).cdf
    return stats.poisson(params[0]).cdf


def ks_differences(dist, params, x):
    """Most extreme positive and negative differences between the empirical distribution function
    and the hypothesized one. For a continuous F: D+ = max(i/n - F(x(i))), D- = max(F(x(i)) -
    (i-1)/n) ([CS] section 4.3). For the Poisson, a step function with jumps at the integers, both
    are taken over the integers 0..max(x)."""
    n = len(x)
    f = cdf(dist, params)
    if dist == "poisson":
        grid = np.arange(0, int(x.max()) + 1)
        ecdf = np.array([np.sum(x <= k) for k in grid]) / n
        diff = ecdf - f(grid)
        return float(max(diff.max(), 0.0)), float(max(-diff.min(), 0.0))
    s = np.sort(x)
    fx = f(s)
    i = np.arange(1, n + 1)
    return float(np.max(i / n - fx)), float(np.max(fx - (i - 1) / n))


def ks_statistics(dist, params, x):
    """Kolmogorov-Smirnov statistics: D = max(D+, D-), Z = sqrt(n) D and the asymptotic
    significance of Kolmogorov's limiting distribution (scipy.stats.kstwobign.sf). For continuous
    hypotheses D is checked against scipy.stats.kstest."""
    d_plus, d_minus = ks_differences(dist, params, x)
    d = max(d_plus, d_minus)
    if dist != "poisson":
        assert abs(d - stats.kstest(x, cdf(dist, params)).statistic) < 1e-12
    z = math.sqrt(len(x)) * d
    return d_plus, d_minus, d, z, float(stats.kstwobign.sf(z))


def lilliefors_table_significance(d, n):
    """Significance of the normal K-S test with sample mean and standard deviation, without
    simulation: Dallal & Wilkinson's approximation [DW] (valid below 0.1), and the lower bound
    0.2 when D is below the 20% critical value of Lilliefors's table [LI] (written ">0.2")."""
    critical_20 = {4: .300, 5: .285, 6: .265, 7: .247, 8: .233, 9: .223, 10: .215, 11: .206,
                   12: .199, 13: .190, 14: .183, 15: .177, 16: .173, 17: .169, 18: .166, 19: .163,
                   20: .160, 25: .142, 30: .131}
    crit = critical_20.get(n, 0.736 / math.sqrt(n))
    if d < crit:
        return ">0.2"
    nn, dd = (n, d) if n <= 100 else (100, d * (n / 100.0) ** 0.49)
    p = math.exp(-7.01256 * dd * dd * (nn + 2.78019) + 2.99587 * dd * math.sqrt(nn + 2.78019)
                 - 0.122119 + 0.974598 / math.sqrt(nn) + 1.67997 / nn)
    return min(p, 0.2)


def simulated_significance(dist, x, d_obs, seed):
    """Monte Carlo significance of D when the parameters are estimated from the sample
    (Lilliefors's idea [LI], by simulation): MC_SAMPLES samples of size n from the fitted
    distribution (numpy RandomState with a fixed seed), each refitted and its D computed; the
    significance is the share of simulated D at least as large as the observed one, with the
    normal-approximation interval p +- z(0.995) sqrt(p(1-p)/N)."""
    rng = np.random.RandomState(seed)
    n = len(x)
    params = sample_parameters(dist, x)
    if dist == "normal":
        sims = rng.normal(params[0], params[1], size=(MC_SAMPLES, n))
        fitted = stats.norm.cdf(np.sort(sims, axis=1), sims.mean(axis=1, keepdims=True),
                                sims.std(axis=1, ddof=1, keepdims=True))
    elif dist == "uniform":
        sims = np.sort(rng.uniform(params[0], params[1], size=(MC_SAMPLES, n)), axis=1)
        lo, hi = sims[:, :1], sims[:, -1:]
        fitted = (sims - lo) / (hi - lo)
    else:
        sims = np.sort(rng.exponential(params[0], size=(MC_SAMPLES, n)), axis=1)
        fitted = 1.0 - np.exp(-sims / sims.mean(axis=1, keepdims=True))
    i = np.arange(1, n + 1)
    d = np.maximum(np.max(i / n - fitted, axis=1), np.max(fitted - (i - 1) / n, axis=1))
    p = float(np.mean(d >= d_obs - 1e-12))
    half = stats.norm.ppf(0.5 + MC_LEVEL / 200.0) * math.sqrt(p * (1 - p) / MC_SAMPLES)
    return p, max(0.0, p - half), min(1.0, p + half)


def ks_test(field_index, x, dist, params=None, simulate=False, seed=MC_SEED):
    """A one-sample K-S test, with its simulated companion when asked. params None means the
    parameters are estimated from the sample."""
    use_sample = params is None
    params = sample_parameters(dist, x) if use_sample else params
    d_plus, d_minus, d, z, sig = ks_statistics(dist, params, x)
    key, lill_key = KS_KEYS[dist]
    extremes = ("MostExtremeDifferences", [("Absolute", d), ("Positive", d_plus),
                                           ("Negative", -d_minus)])
    attrs = [("TestStatistic", z)]
    shown = sig
    # With the mean and standard deviation estimated from the sample, Kolmogorov's limiting
    # distribution overstates the significance; the engine writes the Lilliefors-corrected one,
    # with or without the simulated companion.
    if use_sample and dist == "normal":
        table_sig = lilliefors_table_significance(d, len(x))
        attrs.append(("AsymptoticSig2Tailed", table_sig))
        shown = 0.2 if table_sig == ">0.2" else table_sig
    else:
        attrs.append(("AsymptoticSig2Tailed", sig))
    out = []
    test_condition = condition(key, [field_index] + params, use_sample and dist != "poisson")
    if simulate:
        p, lo, hi = simulated_significance(dist, x, d, seed)
        out.append(algorithm("OKolmogorovSmirnov", "One_Sample", decide(shown), test_condition,
                             results((None, [("TotalN", len(x))]), extremes, (None, attrs))))
        out.append(algorithm(
            "OLilliefors", "One_Sample", decide(p),
            condition(lill_key, [field_index] + params, True),
            results((None, [("AsymptoticSig2Tailed", p), ("ConfidenceIntervalLowerBound", lo),
                            ("ConfidenceIntervalUpperBound", hi)]))))
    else:
        out.append(algorithm("OKolmogorovSmirnov", "One_Sample", decide(shown), test_condition,
                             results((None, [("TotalN", len(x))]), extremes, (None, attrs))))
    return out


# ---------------------------------------------------------------------------------------------
# Related-samples tests


def difference_table(d):
    counts, mids = histogram(d)
    return SIMPLE("Differences", ["Count", "Value"], [str(i + 1) for i in range(len(counts))],
                  [counts, mids])


def related_pair_tests(i1, i2, x1, x2):
    """Sign test, Wilcoxon signed-rank test and Hodges-Lehmann estimate of the paired differences
    d = second - first."""
    d = x2 - x1
    n = len(d)
    pos, neg, ties = int((d > 0).sum()), int((d < 0).sum()), int((d == 0).sum())
    distribution = ST("ContinuousDistribution", A("NegativeDifferences", neg), A("Ties", ties),
                      A("PositiveDifferences", pos), difference_table(d))
    # Sign test: exact two-sided binomial significance of the positive count among the non-zero
    # differences ([CS] section 5.3; scipy.stats.binomtest).
    sign_sig = stats.binomtest(pos, pos + neg, 0.5).pvalue
    sign = algorithm("RSign", "Related_Samples", decide(sign_sig),
                     condition("R_Sign_2", [i1, i2]),
                     results((None, [("TotalN", n), ("TestStatistic", pos),
                                     ("ExactSig2Tailed", sign_sig)])), distribution)
    w_plus, se, z, w_sig, zeros = signed_ranks(d)
    wilcoxon = algorithm("RWilcoxonSignedRanks", "Related_Samples", decide(w_sig),
                         condition("R_WilcoxonSignedRanks_2", [i1, i2]),
                         messages((222301, "warning", [zeros], None)) if zeros else None,
                         results((None, [("TotalN", n), ("TestStatistic", w_plus),
                                         ("StandardError", se),
                                         ("StandardizedTestStatistic", z),
                                         ("AsymptoticSig2Tailed", w_sig)])), distribution)
    # Hodges-Lehmann: median of the n(n+1)/2 Walsh averages; interval between the Walsh averages
    # of order C and M - C + 1, C = n(n+1)/4 - z(0.975) sqrt(n(n+1)(2n+1)/24) rounded to the
    # nearest integer ([HW] section 3.3, large-sample approximation).
    walsh = np.sort([(d[a] + d[b]) / 2.0 for a in range(n) for b in range(a, n)])
    m = len(walsh)
    c = int(round(n * (n + 1) / 4.0 - stats.norm.ppf(0.5 + CONFIDENCE / 2)
                  * math.sqrt(n * (n + 1) * (2 * n + 1) / 24.0)))
    hl = algorithm("RHodgesLehmannEstimatePairs", "Related_Samples", None,
                   condition("R_HodgesLehman_2", [i1, i2]),
                   results((None, [("Estimate", np.median(walsh))]),
                           ("Asymptotic", [("ConfidenceIntervalLowerBound", walsh[c - 1]),
                                           ("ConfidenceIntervalUpperBound", walsh[m - c])])))
    return [sign, wilcoxon, hl]


def comparison_content(rows):
    return SIMPLE("Content", ["Pair"] if rows else ["Pair"],
                  ["Sample1", "Sample2", "TestStatistic", "StdError", "StdTestStatistic", "Sig",
                   "AdjSig"], rows)


def pairwise_rows(values, se_of, k):
    """All pairs of samples, each ordered so that the sample with the smaller value comes first
    (as the pairwise table shows them); statistic = value(first) - value(second), z = statistic/
    se, two-sided normal significance and its Bonferroni adjustment for k(k-1)/2 comparisons
    ([DU])."""
    rows = []
    m = k * (k - 1) // 2
    for a in range(k):
        for b in range(a + 1, k):
            first, second = (a, b) if values[a] <= values[b] else (b, a)
            stat = values[first] - values[second]
            se = se_of(first, second)
            z = stat / se
            p = two_sided_normal(z)
            rows.append([first, second, stat, se, z, p, bonferroni(p, m)])
    return rows


def cochran_test(indexes, data, labels_pos_success):
    """Cochran's Q ([CS] eq. 7.18): Q = (k-1)(k sum C_j^2 - N^2)/(k N - sum R_i^2), chi-square
    with k-1 degrees of freedom. Pairwise: difference of the success proportions, standard error
    sqrt(2 (k sum R_i - sum R_i^2)/(n^2 k (k-1))) ([SH] Test 26), Bonferroni-adjusted."""
    b = np.column_stack([col == labels_pos_success for col in data]).astype(float)
    n, k = b.shape
    col, row = b.sum(axis=0), b.sum(axis=1)
    total = b.sum()
    q = (k - 1) * (k * np.sum(col ** 2) - total ** 2) / (k * total - np.sum(row ** 2))
    sig = float(stats.chi2.sf(q, k - 1))
    se = math.sqrt(2.0 * (k * total - np.sum(row ** 2)) / (n * n * k * (k - 1)))
    props = col / n
    rows = pairwise_rows(props, lambda a, c: se, k)
    for r in rows:
        r[0], r[1] = indexes[r[0]], indexes[r[1]]
    percent = [[100.0 * (1 - p), 100.0 * p] for p in props]
    return algorithm(
        "RCochransQ", "Related_Samples", decide(sig),
        condition("CategoryListsAreSpecified_R_CochransQ_1", [list(indexes)]),
        results((None, [("TotalN", n), ("TestStatistic", q), ("DegreeOfFreedom", k - 1),
                        ("AsymptoticSig2Tailed", sig)])),
        ST("TwoClassComparison", SIMPLE("Content", [str(i) for i in indexes], ["0", "1"],
                                        percent)),
        ST("PairwiseResult", SIMPLE("PairwiseInfo", ["Sample", "Successes"],
                                    [str(i) for i in indexes], [list(indexes), col]),
           comparison_content(rows)))


def within_case_ranks(data):
    return np.apply_along_axis(stats.rankdata, 1, np.column_stack(data))


def variable_information(indexes, ranks):
    k = ranks.shape[1]
    out = []
    for j, idx in enumerate(indexes):
        counts = [int(np.sum(ranks[:, j] == r)) for r in range(1, k + 1)]
        out.append(ST("VariableInformation%d" % (j + 1), A("GroupIndex", idx),
                      A("MeanOfRank", ranks[:, j].mean()),
                      SIMPLE("Ranks", ["Count", "Rank"], [str(r) for r in range(1, k + 1)],
                             [counts, list(range(1, k + 1))])))
    return out


def friedman_kendall(indexes, data):
    """Friedman's test (scipy.stats.friedmanchisquare, tie-corrected) with pairwise comparisons
    of mean ranks, standard error sqrt(k(k+1)/(6n)) ([CS] section 7.2.2), and Kendall's W =
    chi2_F/(n(k-1)) ([CS] eq. 9.16 with the tie correction of the Friedman statistic)."""
    ranks = within_case_ranks(data)
    n, k = ranks.shape
    chi2, sig = stats.friedmanchisquare(*data)
    mean_ranks = ranks.mean(axis=0)
    se = math.sqrt(k * (k + 1) / (6.0 * n))
    rows = pairwise_rows(mean_ranks, lambda a, b: se, k)
    for r in rows:
        r[0], r[1] = indexes[r[0]], indexes[r[1]]
    friedman = algorithm(
        "RFriedmansTwoWayByRanks", "Related_Samples", decide(sig),
        condition("R_FriedmansTwoWayByRanks_1", [list(indexes)]),
        results((None, [("TotalN", n), ("TestStatistic", chi2), ("DegreeOfFreedom", k - 1),
                        ("AsymptoticSig2Tailed", sig)])),
        *variable_information(indexes, ranks),
        ST("PairwiseResult", SIMPLE("PairwiseInfo", ["Sample", "MeanRank"],
                                    [str(i) for i in indexes], [list(indexes), mean_ranks]),
           comparison_content(rows)))
    w = chi2 / (n * (k - 1))
    kendall = algorithm(
        "RKendallsCoefficient", "Related_Samples", decide(sig),
        condition("R_KendallsCoefficient_1", [list(indexes)]),
        results((None, [("TotalN", n), ("KendallsW", w), ("TestStatistic", chi2),
                        ("DegreeOfFreedom", k - 1), ("AsymptoticSig2Tailed", sig)])),
        *variable_information(indexes, ranks))
    return [friedman, kendall]


def category_comparison(i_row, i_col, table, success=None, fail=None):
    items = [A("RowNames", i_row)]
    if success is not None:
        items += [A("RowSuccessList", success), A("RowFailList", fail)]
    items.append(A("ColumnNames", i_col))
    if success is not None:
        items += [A("ColumnSuccessList", success), A("ColumnFailList", fail)]
    k = len(table)
    names = [str(i) for i in range(k)]
    items.append(SIMPLE("Crosstab", names, names, table))
    return ST("CategoryFieldsComparison", *items)


def mcnemar_test(i_row, i_col, table2, success, fail):
    """McNemar's change test on the 2x2 table of success and failure: chi-square with the
    continuity correction (|b - c| - 1)^2/(b + c), one degree of freedom ([CS] eq. 5.2)."""
    b, c = table2[0][1], table2[1][0]
    chi2 = (abs(b - c) - 1.0) ** 2 / (b + c)
    sig = float(stats.chi2.sf(chi2, 1))
    n = int(np.sum(table2))
    return algorithm(
        "RMcNemar", "Related_Samples", decide(sig),
        condition("CategoryListsAreSpecified_R_McNemar_2", [i_row, i_col]),
        results((None, [("TotalN", n), ("TestStatistic", chi2), ("DegreeOfFreedom", 1),
                        ("AsymptoticSig2Tailed", sig)])),
        category_comparison(i_row, i_col, table2, success, fail))


def marginal_homogeneity_test(i_row, i_col, table, scores):
    """Marginal homogeneity of two ordered category fields ([AG] section 9.3): with scores s, the
    sum T of the row scores over the off-diagonal cases has, given the pairs, mean
    sum (s_row + s_col)/2 and variance sum (s_row - s_col)^2/4 under the hypothesis; z = (T -
    mean)/sd, two-sided normal significance."""
    t = np.asarray(table, dtype=float)
    k = len(t)
    obs = mean = var = 0.0
    for i in range(k):
        for j in range(k):
            if i != j:
                obs += t[i, j] * scores[i]
                mean += t[i, j] * (scores[i] + scores[j]) / 2.0
                var += t[i, j] * (scores[i] - scores[j]) ** 2 / 4.0
    sd = math.sqrt(var)
    z = (obs - mean) / sd
    sig = two_sided_normal(z)
    return algorithm(
        "RMarginalHomogeneity", "Related_Samples", decide(sig),
        condition("AllDistinctValuesUsed_R_MarginalHomogeneity_2", [i_row, i_col]),
        results((None, [("TotalN", t.sum()), ("TestStatistic", obs), ("StandardError", sd),
                        ("StandardizedTestStatistic", z), ("AsymptoticSig2Tailed", sig)])),
        category_comparison(i_row, i_col, t))


# ---------------------------------------------------------------------------------------------
# Independent-samples tests


def group_tables(y, g, edges):
    ranks = stats.rankdata(y)
    out = []
    for p in (0, 1):
        sel = g == p
        counts = np.histogram(y[sel], bins=edges)[0]
        out.append(ST("Group%d" % (p + 1), A("GroupIndex", p), A("N", int(sel.sum())),
                      A("MeanOfRank", ranks[sel].mean()),
                      SIMPLE("Bins", ["Count", "Value"], [str(i + 1) for i in range(len(counts))],
                             [counts, (edges[:-1] + edges[1:]) / 2.0])))
    return out


def min_max_runs(y, g):
    """Fewest and most runs over every order of the tied values (tie blocks of both groups can be
    arranged freely): dynamic programming over the sorted tie blocks, the state being the group
    that ends the sequence so far."""
    blocks = []
    for v in np.unique(y):
        sel = y == v
        blocks.append((int(np.sum(g[sel] == 0)), int(np.sum(g[sel] == 1))))

    def options(a, b, most):
        if a == 0:
            return [(1, 1, 1)]
        if b == 0:
            return [(0, 0, 1)]
        if not most:
            opts = [(0, 1, 2), (1, 0, 2)]
            if a >= 2:
                opts.append((0, 0, 3))
            if b >= 2:
                opts.append((1, 1, 3))
            return opts
        opts = [(0, 1, 2 * min(a, b)), (1, 0, 2 * min(a, b))]
        if a > b:
            opts.append((0, 0, 2 * b + 1))
        if b > a:
            opts.append((1, 1, 2 * a + 1))
        return opts

    def solve(most):
        pick = max if most else min
        best = {}
        for a, b in blocks:
            new = {}
            for first, last, r in options(a, b, most):
                if not best:
                    candidates = [r]
                else:
                    candidates = [t + r - (1 if prev == first else 0) for prev, t in best.items()]
                value = pick(candidates)
                new[last] = pick(new[last], value) if last in new else value
            best = new
        return pick(best.values())

    return solve(False), solve(True)


def runs_z(runs, n1, n2):
    """Normal approximation of the number of runs ([CS] eq. 6.15), one-tailed (too few runs)."""
    n = n1 + n2
    mean = 2.0 * n1 * n2 / n + 1.0
    sd = math.sqrt(2.0 * n1 * n2 * (2.0 * n1 * n2 - n) / (n * n * (n - 1.0)))
    z = (runs - mean) / sd
    return z, float(stats.norm.cdf(z))


def moses_sig(span, m, n, h):
    """Exact P(span <= s) of the trimmed control span ([MO]; [CS] eq. 6.21): sum over
    i = 0..s-m+2h of C(i+m-2h-2, i) C(n+2h+1-i, n-i) / C(m+n, m)."""
    total = 0
    for i in range(0, int(span) - m + 2 * h + 1):
        if n - i < 0:
            break
        total += math.comb(i + m - 2 * h - 2, i) * math.comb(n + 2 * h + 1 - i, n - i)
    return total / math.comb(m + n, m)


def two_group_tests(i_test, i_group, y, g):
    """Mann-Whitney U, Wald-Wolfowitz runs, two-sample Kolmogorov-Smirnov, Moses and
    Hodges-Lehmann for groups 0 (first, the control group of Moses) and 1."""
    x1, x2 = y[g == 0], y[g == 1]
    n1, n2 = len(x1), len(x2)
    n = n1 + n2
    edges = np.histogram_bin_edges(y, bins="sturges")
    groups = group_tables(y, g, edges)
    cond = ("DefaultAllDistinctValuesUsed_I_%s_2", [i_test, i_group])
    out = []

    # Mann-Whitney: U of the second group = R2 - n2(n2+1)/2, standard error with ties
    # sqrt(n1 n2/12 ((n+1) - sum(t^3-t)/(n(n-1)))) ([CS] eq. 6.7), checked against
    # scipy.stats.mannwhitneyu (asymptotic, no continuity correction).
    ranks = stats.rankdata(y)
    r2 = ranks[g == 1].sum()
    u = r2 - n2 * (n2 + 1) / 2.0
    se = math.sqrt(n1 * n2 / 12.0 * ((n + 1) - ties_term(y) / (n * (n - 1.0))))
    z = (u - n1 * n2 / 2.0) / se
    sig = two_sided_normal(z)
    check = stats.mannwhitneyu(x2, x1, use_continuity=False, method="asymptotic")
    assert abs(check.statistic - u) < 1e-9 and abs(check.pvalue - sig) < 1e-12
    out.append(algorithm(
        "IMannWhitneyU", "Independent_Samples", decide(sig),
        condition(cond[0] % "MannWhitneyU", cond[1]),
        messages((222303, "helpMessage", [50], None)),
        results((None, [("TotalN", n), ("TestStatistic", u), ("WilcoxonW", r2),
                        ("StandardError", se), ("StandardizedTestStatistic", z),
                        ("AsymptoticSig2Tailed", sig)])), *groups))

    # Wald-Wolfowitz: runs of group membership in the pooled order; with ties between the groups
    # the fewest and the most possible runs are both reported.
    lo, hi = min_max_runs(y, g)
    z_lo, p_lo = runs_z(lo, n1, n2)
    z_hi, p_hi = runs_z(hi, n1, n2)
    shared = sum(1 for v in np.unique(y) if (x1 == v).any() and (x2 == v).any())
    ww_messages = messages((222302, "warning", [shared], None)) if lo != hi else None
    out.append(algorithm(
        "IWaldWolfowitzRuns", "Independent_Samples", decide(p_hi),
        condition(cond[0] % "WaldWolfowitzRuns", cond[1]), ww_messages,
        results((None, [("TotalN", n)]),
                ("MinimumPossible", [("TestStatistic", lo), ("StandardizedTestStatistic", z_lo),
                                     ("AsymptoticSig1Tailed", p_lo)]),
                ("MaximumPossible", [("TestStatistic", hi), ("StandardizedTestStatistic", z_hi),
                                     ("AsymptoticSig1Tailed", p_hi)])), *groups))

    # Two-sample Kolmogorov-Smirnov: D from scipy.stats.ks_2samp, Z = D sqrt(n1 n2/(n1+n2)),
    # significance from Kolmogorov's limiting distribution (scipy.stats.kstwobign.sf).
    grid = np.unique(y)
    diff = (np.searchsorted(np.sort(x1), grid, side="right") / n1
            - np.searchsorted(np.sort(x2), grid, side="right") / n2)
    d_pos, d_neg = float(max(diff.max(), 0)), float(min(diff.min(), 0))
    d = max(d_pos, -d_neg)
    assert abs(d - stats.ks_2samp(x1, x2).statistic) < 1e-12
    zks = d * math.sqrt(n1 * n2 / float(n))
    ks_sig = float(stats.kstwobign.sf(zks))
    out.append(algorithm(
        "IKolmogorovSmirnov", "Independent_Samples", decide(ks_sig),
        condition(cond[0] % "KolmogorovSmirnov", cond[1]),
        results((None, [("TotalN", n)]),
                ("MostExtremeDifferences", [("Absolute", d), ("Positive", d_pos),
                                            ("Negative", d_neg)]),
                (None, [("TestStatistic", zks), ("AsymptoticSig2Tailed", ks_sig)])), *groups))

    # Moses: span of the control group's ranks in the pooled ranking (average ranks), untrimmed
    # and with h = max(1, floor(0.05 m)) ranks trimmed from each end; exact one-tailed
    # significance by [MO].
    control = np.sort(ranks[g == 0])
    span = math.floor(control[-1] - control[0] + 1 + 1e-9)
    h = max(1, int(math.floor(0.05 * n1)))
    trimmed = math.floor(control[-1 - h] - control[h] + 1 + 1e-9)
    sig_obs = moses_sig(span, n1, n2, 0)
    sig_trim = moses_sig(trimmed, n1, n2, h)
    out.append(algorithm(
        "IMoses", "Independent_Samples", decide(sig_trim),
        condition(cond[0] % "Moses", cond[1]),
        results((None, [("TotalN", n)]),
                ("ObservedControlGroup", [("TestStatistic", span), ("ExactSig1Tailed", sig_obs)]),
                ("TrimmedControlGroup", [("TestStatistic", trimmed),
                                         ("ExactSig1Tailed", sig_trim)]),
                ("OutliersTrimmedFromEachEnd", [("TestStatistic", h)])),
        box_plot_info(i_group, y, g, 2)))

    # Hodges-Lehmann: median of the n1 n2 differences (second - first); interval between the
    # differences of order C and n1 n2 - C + 1, C = n1 n2/2 - z(0.975) sqrt(n1 n2 (n+1)/12)
    # rounded to the nearest integer ([HW] section 4.3, large-sample approximation).
    diffs = np.sort((x2[None, :] - x1[:, None]).ravel())
    c = int(round(n1 * n2 / 2.0 - stats.norm.ppf(0.5 + CONFIDENCE / 2)
                  * math.sqrt(n1 * n2 * (n + 1) / 12.0)))
    out.append(algorithm(
        "IHodgesLehmannEstimateGroups", "Independent_Samples", None,
        condition("AllDistinctValuesUsed_I_HodgesLehman_2", [i_test, i_group]),
        results((None, [("Estimate", np.median(diffs))]),
                ("Asymptotic", [("ConfidenceIntervalLowerBound", diffs[c - 1]),
                                ("ConfidenceIntervalUpperBound", diffs[n1 * n2 - c])]))))
    return out


def kruskal_h(y, g, groups):
    """Kruskal-Wallis H with the tie correction on the given groups (scipy.stats.kruskal)."""
    return stats.kruskal(*[y[g == p] for p in groups])


def dunn_se(y, g):
    """Standard error of a difference of mean ranks ([DU]; tie-corrected as in [CS] eq. 8.5):
    sqrt((N(N+1)/12 - sum(t^3-t)/(12(N-1))) (1/n_a + 1/n_b))."""
    n = len(y)
    base = n * (n + 1) / 12.0 - ties_term(y) / (12.0 * (n - 1))
    return lambda a, b: math.sqrt(base * (1.0 / np.sum(g == a) + 1.0 / np.sum(g == b)))


def kruskal_wallis(i_test, i_group, y, g, k, compare):
    h, sig = kruskal_h(y, g, range(k))
    mean_ranks = np.array([stats.rankdata(y)[g == p].mean() for p in range(k)])
    tables = [condition("DefaultAllDistinctValuesUsed_I_KruskalWallis_2", [i_test, i_group]),
              results((None, [("TotalN", len(y)), ("TestStatistic", h),
                              ("DegreeOfFreedom", k - 1), ("AsymptoticSig2Tailed", sig)])),
              box_plot_info(i_group, y, g, k)]
    if compare == "pairwise":
        rows = pairwise_rows(mean_ranks, dunn_se(y, g), k)
        tables.append(ST("PairwiseResult", A("fieldIndex", i_group),
                         SIMPLE("PairwiseInfo", ["Sample", "MeanRank"],
                                [str(p) for p in range(k)], [list(range(k)), mean_ranks]),
                         comparison_content(rows)))
    else:
        tables.append(stepwise_subsets(i_group, y, g, k, mean_ranks))
    return algorithm("IKruskalWallis", "Independent_Samples", decide(sig), *tables)


def stepwise_subsets(i_group, y, g, k, mean_ranks):
    """Homogeneous subsets by the stepwise step-down procedure [CSK]: samples in ascending order
    of mean rank; for subset sizes p = k down to 2, every run of p adjacent samples that no
    homogeneous subset found so far contains is tested with the Kruskal-Wallis test on its own
    ranks; its significance is adjusted to 1 - (1 - sig)^(k/p) (the level
    1 - (1 - alpha)^(p/k) of [CSK]); a subset whose adjusted significance is not below alpha is
    homogeneous. Samples in no homogeneous subset form subsets of their own (no statistics)."""
    order = list(np.argsort(mean_ranks, kind="stable"))
    found = []
    for p in range(k, 1, -1):
        for start in range(0, k - p + 1):
            end = start + p - 1
            if any(s <= start and end <= e for s, e, *_ in found):
                continue
            h, sig = kruskal_h(y, g, [order[j] for j in range(start, end + 1)])
            adjusted = 1.0 - (1.0 - sig) ** (k / float(p))
            if adjusted >= ALPHA:
                found.append((start, end, h, sig, adjusted))
    covered = {j for s, e, *_ in found for j in range(s, e + 1)}
    rows = [[s, e, h, None, None, sig, adj] for s, e, h, sig, adj in found]
    rows += [[j, j, None, None, None, None, None] for j in range(k) if j not in covered]
    rows.sort(key=lambda r: r[0])
    return ST("StepwiseResult", A("fieldIndex", i_group),
              SIMPLE("StepwiseInfo", ["Sample", "MeanRank"], [str(o) for o in order],
                     [order, [mean_ranks[o] for o in order]]),
              SIMPLE("Content", ["Subset"],
                     ["Sample1", "Sample2", "TestStatistic", "StdError", "StdTestStatistic",
                      "Sig", "AdjSig"], rows))


def median_test(i_test, i_group, y, g, k):
    """Median test (scipy.stats.median_test, values equal to the grand median counted below,
    Pearson chi-square without correction for more than two groups)."""
    groups = [y[g == p] for p in range(k)]
    chi2, sig, grand, table = stats.median_test(*groups, ties="below", correction=False)

    def counts(p):
        return [("GTMedian", table[0][p]), ("STMedian", table[1][p])]

    return algorithm(
        "IMedian", "Independent_Samples", decide(sig),
        condition("DefaultAllDistinctValuesUsed_I_Median_2", [i_test, i_group]),
        results((None, [("TotalN", len(y)), ("Median", grand), ("TestStatistic", chi2),
                        ("DegreeOfFreedom", k - 1), ("AsymptoticSig2Tailed", sig)])),
        box_plot_info(i_group, y, g, k, counts))


def mann_whitney_count(xa, xb):
    """Number of pairs with the value of b above the value of a, ties counting one half."""
    return float(np.sum(xb[None, :] > xa[:, None]) + 0.5 * np.sum(xb[None, :] == xa[:, None]))


def jonckheere(i_test, i_group, y, g, k):
    """Jonckheere-Terpstra test for an increasing order of the groups ([HW] section 6.2): J = sum
    over group pairs a < b of the Mann-Whitney counts; mean (N^2 - sum n_i^2)/4 and the
    tie-corrected variance of [HW] eq. 6.19; z = (J - mean)/sd, two-sided normal significance.
    Pairwise: for each pair (sample with the lower mean rank first) the count of the second
    above the first with its tie-corrected Mann-Whitney variance, one-sided significance, and
    the Bonferroni adjustment."""
    n = len(y)
    sizes = np.array([np.sum(g == p) for p in range(k)], dtype=float)
    j = sum(mann_whitney_count(y[g == a], y[g == b]) for a in range(k) for b in range(a + 1, k))
    mean = (n * n - np.sum(sizes ** 2)) / 4.0
    _, t = np.unique(y, return_counts=True)
    t = t.astype(float)
    var = ((n * (n - 1) * (2 * n + 5) - np.sum(sizes * (sizes - 1) * (2 * sizes + 5))
            - np.sum(t * (t - 1) * (2 * t + 5))) / 72.0
           + np.sum(sizes * (sizes - 1) * (sizes - 2)) * np.sum(t * (t - 1) * (t - 2))
           / (36.0 * n * (n - 1) * (n - 2))
           + np.sum(sizes * (sizes - 1)) * np.sum(t * (t - 1)) / (8.0 * n * (n - 1)))
    sd = math.sqrt(var)
    z = (j - mean) / sd
    sig = two_sided_normal(z)
    ranks = stats.rankdata(y)
    mean_ranks = np.array([ranks[g == p].mean() for p in range(k)])
    rows = []
    m = k * (k - 1) // 2
    for a in range(k):
        for b in range(a + 1, k):
            first, second = (a, b) if mean_ranks[a] <= mean_ranks[b] else (b, a)
            xa, xb = y[g == first], y[g == second]
            na, nb = len(xa), len(xb)
            u = mann_whitney_count(xa, xb)
            pooled = np.concatenate([xa, xb])
            se = math.sqrt(na * nb / 12.0 * ((na + nb + 1)
                                            - ties_term(pooled) / ((na + nb) * (na + nb - 1.0))))
            zz = (u - na * nb / 2.0) / se
            p1 = float(stats.norm.sf(zz))
            rows.append([first, second, u, se, zz, p1, bonferroni(p1, m)])
    return algorithm(
        "IJonckheereTerpstra", "Independent_Samples", decide(sig),
        condition("DefaultAllDistinctValuesUsed_I_JonckheereTerpstra_2", [i_test, i_group]),
        results((None, [("TotalN", n), ("TestStatistic", j), ("StandardError", sd),
                        ("StandardizedTestStatistic", z), ("AsymptoticSig2Tailed", sig)])),
        box_plot_info(i_group, y, g, k),
        ST("PairwiseResult", A("fieldIndex", i_group),
           SIMPLE("PairwiseInfo", ["Sample", "MeanRank"], [str(p) for p in range(k)],
                  [list(range(k)), mean_ranks]),
           comparison_content(rows)))


# ---------------------------------------------------------------------------------------------
# Layout check: every document is held to the rules its reader applies, so that a slip in this
# script shows here rather than as a document the plug-in refuses.

CONDITION_KEYS = {
    "OChiSquare": {"DefaultEqualProbabilities_O_ChiSquare_1": 1,
                   "UserSpecifiesProbabilities_O_ChiSquare_1": 1},
    "OBinomial": {"ACutPointIsSpecified_O_Binomial_4": 4,
                  "ABinaryTestVariableIsSpecified_O_Binomial_5": 5,
                  "CategoryListsAreSpecified_O_Binomial_5": 5},
    "ORuns": {"ABinaryTestVariableIsSpecified_O_Runs_3": 3,
              "CategoryListsAreSpecified_O_Runs_3": 3, "ACutPointIsSpecified_O_Runs_2": 2},
    "OWilcoxonSignedRanks": {"O_WilcoxonSignedRanks_2": 2},
    "OEstimateConfidenceInterval": {"ACutPointIsSpecified_O_Binomial_2": 2,
                                    "ABinaryTestVariableIsSpecified_O_Binomial_2": 2,
                                    "CategoryListsAreSpecified_O_Binomial_2": 2},
    "OKolmogorovSmirnov": {"UniformDistribution_O_KolmogorovSmirnov_3": 3,
                           "NormalDistribution_O_KolmogorovSmirnov_3": 3,
                           "PoissonDistribution_O_KolmogorovSmirnov_2": 2,
                           "ExponentialDistribution_O_KolmogorovSmirnov_2": 2},
    "OLilliefors": {"NormalDistribution_O_Lilliefors_3": 3,
                    "UniformDistribution_O_Lilliefors_3": 3,
                    "ExponentialDistribution_O_Lilliefors_2": 2},
    "RSign": {"R_Sign_2": 2},
    "RWilcoxonSignedRanks": {"R_WilcoxonSignedRanks_2": 2},
    "RCochransQ": {"DefaultAllDistinctValuesUsed_R_CochransQ_1": 1,
                   "CategoryListsAreSpecified_R_CochransQ_1": 1},
    "RMcNemar": {"CategoryListsAreSpecified_R_McNemar_2": 2,
                 "AllDistinctValuesUsed_R_McNemar_2": 2},
    "RFriedmansTwoWayByRanks": {"R_FriedmansTwoWayByRanks_1": 1},
    "RKendallsCoefficient": {"R_KendallsCoefficient_1": 1},
    "RMarginalHomogeneity": {"AllDistinctValuesUsed_R_MarginalHomogeneity_2": 2},
    "RHodgesLehmannEstimatePairs": {"R_HodgesLehman_2": 2},
}
for _test in ("HodgesLehman", "Moses", "MannWhitneyU", "WaldWolfowitzRuns", "KolmogorovSmirnov",
              "KruskalWallis", "JonckheereTerpstra", "Median"):
    _name = "IHodgesLehmannEstimateGroups" if _test == "HodgesLehman" else "I" + _test
    CONDITION_KEYS[_name] = {"%s_I_%s_2" % (pre, _test): 2 for pre in (
        "DefaultAllDistinctValuesUsed", "CategoryListsAreSpecified", "AllDistinctValuesUsed")}

# Test-specific table names each algorithm reads; a name containing "Group" or
# "VariableInformation" is written as that word.
SPECIFIC_TABLES = {
    "OChiSquare": {"TwoClassComparison"}, "OBinomial": {"TwoClassComparison"},
    "ORuns": {"RunsParameters"}, "OWilcoxonSignedRanks": {"ContinuousDistribution"},
    "OEstimateConfidenceInterval": {"ClopperPearson", "Jeffreys", "ProfileLikelihood"},
    "OKolmogorovSmirnov": set(), "OLilliefors": set(),
    "RSign": {"ContinuousDistribution"}, "RWilcoxonSignedRanks": {"ContinuousDistribution"},
    "RCochransQ": {"TwoClassComparison", "PairwiseResult", "StepwiseResult"},
    "RMcNemar": {"CategoryFieldsComparison"}, "RMarginalHomogeneity": {"CategoryFieldsComparison"},
    "RFriedmansTwoWayByRanks": {"VariableInformation", "PairwiseResult", "StepwiseResult"},
    "RKendallsCoefficient": {"VariableInformation", "PairwiseResult", "StepwiseResult"},
    "RHodgesLehmannEstimatePairs": set(), "IHodgesLehmannEstimateGroups": set(),
    "IMoses": {"BoxPlotInfo"}, "IMannWhitneyU": {"Group"}, "IWaldWolfowitzRuns": {"Group"},
    "IKolmogorovSmirnov": {"Group"},
    "IKruskalWallis": {"BoxPlotInfo", "PairwiseResult", "StepwiseResult"},
    "IJonckheereTerpstra": {"BoxPlotInfo", "PairwiseResult", "StepwiseResult"},
    "IMedian": {"BoxPlotInfo", "PairwiseResult", "StepwiseResult"},
}
COMMON_TABLES = {"Condition", "WarningMessages", "StatisticsResult", "ValsNotInTheCategoreis"}
CLASSIFICATION = {"O": "One_Sample", "R": "Related_Samples", "I": "Independent_Samples"}


def _numbers(text):
    tokens = text.replace(",", " ").split()
    for t in tokens:
        if t != "__MISSING__":
            float(t)
    return tokens


def _check_generic(table, where):
    """Names everywhere, RowNames and ColumnNames in every simple table, numeric rows."""
    assert table.get("name"), "%s: a StructuredTable without a name" % where
    for child in table:
        if child.tag == "Attribute":
            assert child.get("name") is not None, "%s: an Attribute without a name" % where
        elif child.tag == "SimpleTable":
            assert child.get("name"), "%s: a SimpleTable without a name" % where
            assert child.find("RowNames") is not None and child.find("ColumnNames") is not None
            for row in child.findall("Row"):
                _numbers(row.text or "")
        elif child.tag == "StructuredTable":
            _check_generic(child, where + "/" + child.get("name", "?"))


def _check_comparison(table, where):
    simple = {t.get("name"): t for t in table.findall("SimpleTable")}
    info = simple.get("PairwiseInfo", simple.get("StepwiseInfo"))
    assert info is not None and "Content" in simple, where + ": comparison tables missing"
    rows = [_numbers(r.text) for r in info.findall("Row")]
    assert len(rows) == 2 and len(rows[0]) == len(rows[1]), where + ": info table not 2 rows"
    columns = simple["Content"].find("ColumnNames").text.split()
    assert len(columns) == 7 and {"Sample1", "Sample2", "AdjSig"} <= set(columns)
    for r in simple["Content"].findall("Row"):
        values = _numbers(r.text)
        assert len(values) == 7, where + ": a comparison row without 7 values"
        assert 0 <= float(values[0]) < len(rows[0]) and 0 <= float(values[1]) < len(rows[0])


def check_layout(text, name):
    import xml.etree.ElementTree as ET
    root = ET.fromstring(text.encode("utf-8"))
    assert root.tag == "StatXML"
    assert root.find("PMMLModel").get("modelType") == "NonParametricTests"
    counts = root.find("DescriptiveModel/DescriptiveSummary/Counts")
    assert counts is not None and all(counts.get(a) for a in (
        "totalFreq", "totalCount", "droppedCount", "badWeightCount", "droppedFreq"))
    fields = root.findall("Extension/NPAROutput/DataDictionary/DataField")
    for i, field in enumerate(fields):
        assert int(field.get("index")) == i, name + ": DataField out of sequence"
        for j, value in enumerate(field.findall("Value")):
            assert int(value.get("index")) == j, name + ": Value out of sequence"
    tests = root.find("Extension/NPAROutput/NonParametricTests")
    assert all(tests.get(a) for a in ("number", "sigLevel", "confidenceLevel", "missingTreatment"))
    for algo in tests.findall("Algorithm"):
        kind = algo.get("name")
        where = "%s: %s" % (name, kind)
        assert kind in SPECIFIC_TABLES, where + ": unknown algorithm"
        assert algo.get("classification") == CLASSIFICATION[kind[0]], where
        assert algo.get("decision") in ("reject", "retain") or (
            kind in ("OEstimateConfidenceInterval", "RHodgesLehmannEstimatePairs",
                     "IHodgesLehmannEstimateGroups") and algo.get("decision") is None), where
        tables = algo.findall("StructuredTable")
        for table in tables:
            _check_generic(table, where)
            tname = table.get("name")
            if tname == "Condition":
                attrs = {a.get("name"): a.get("value") for a in table.findall("Attribute")}
                key = attrs["ConditionKey"]
                params = [a for a in attrs if a.startswith("%")]
                assert CONDITION_KEYS[kind].get(key) == len(params), where + ": key " + key
                for a in params:
                    _numbers(attrs[a])
            elif tname == "WarningMessages":
                for message in table.findall("StructuredTable"):
                    attrs = {a.get("name"): a.get("value") for a in message.findall("Attribute")}
                    declared = int(attrs.get("paramNum", "0"))
                    assert declared == sum(1 for a in attrs if a.startswith("%")), where
            elif tname not in COMMON_TABLES:
                accepted = SPECIFIC_TABLES[kind]
                assert tname in accepted or any(w in tname and w in accepted for w in (
                    "Group", "VariableInformation")), where + ": table " + tname
                if tname in ("ClopperPearson", "Jeffreys", "ProfileLikelihood"):
                    assert len(table.findall("StructuredTable")) == 1, where
                if tname in ("PairwiseResult", "StepwiseResult"):
                    _check_comparison(table, where)
        names = [t.get("name") for t in tables]
        assert names.count("Condition") == 1, where + ": one Condition expected"
        if kind in ("RHodgesLehmannEstimatePairs", "IHodgesLehmannEstimateGroups"):
            result = tables[names.index("StatisticsResult")]
            assert result[0].tag == "Attribute" and result[0].get("name") == "Estimate"
            nested = result.findall("StructuredTable")
            assert [t.get("name") for t in nested] == ["Asymptotic"]
            assert len(nested[0].findall("Attribute")) == 2
    for info in root.findall("Extension/NPAROutput/FieldInfos/FieldInfo"):
        assert 0 <= int(info.get("varIndex")) < len(fields) - 1, name + ": FieldInfo index"
        table = info.find("StructuredTable")
        assert table is not None, name + ": FieldInfo without a table"
        _check_generic(table, name + ": FieldInfo")


# ---------------------------------------------------------------------------------------------
# The examples. Each returns (document text, NPTESTS command).

COMMAND_END = "\n  /MISSING SCOPE=ANALYSIS USERMISSING=EXCLUDE\n  /CRITERIA ALPHA=0.05 CILEVEL=95."


def example_mtcars():
    """mtcars (R datasets; Motor Trend 1974 road tests of 32 cars): are automatic and manual
    gearboxes equally common, and are cars at or below 20 miles per gallon as common as cars
    above it? Binomial tests with their success-rate intervals, and the chi-square test of am."""
    rows = read_csv("mtcars.csv")
    am_values = [("0", "Automatic"), ("1", "Manual")]
    mpg = Field("mpg", "Miles per gallon", "continuous", "double", data=column(rows, "mpg"))
    am = Field("am", "Transmission", "categorical", "integer", am_values,
               codes(rows, "am", am_values))
    fields = [mpg, am]
    n = len(rows)
    automatic = int(np.sum(am.data == 0))
    at_or_below = int(np.sum(mpg.data <= 20))
    tests = [chi_square_test(1, am.data, 2)]
    t_mpg, ci_mpg = binomial_test(0, at_or_below, n, "ACutPointIsSpecified_O_Binomial_4",
                                  [20, 0.5, 0.5], "ACutPointIsSpecified_O_Binomial_2", [20])
    t_am, ci_am = binomial_test(1, automatic, n, "ABinaryTestVariableIsSpecified_O_Binomial_5",
                                [0, 1, 0.5, 0.5], "ABinaryTestVariableIsSpecified_O_Binomial_2",
                                [0])
    tests += [t_mpg, t_am, ci_mpg, ci_am]
    command = ("NPTESTS\n  /ONESAMPLE TEST(mpg am) CHISQUARE(EXPECTED=EQUAL)\n"
               "    BINOMIAL(TESTVALUE=0.5 SUCCESSCATEGORICAL=FIRST\n"
               "      SUCCESSCONTINUOUS=CUTPOINT(20)"
               " CLOPPER_PEARSON JEFFREYS LIKELIHOOD)" + COMMAND_END)
    return document(fields, [0, 1], tests, n), command


FEEDS = [("casein", "Casein"), ("horsebean", "Horse bean"), ("linseed", "Linseed"),
         ("meatmeal", "Meat meal"), ("soybean", "Soybean"), ("sunflower", "Sunflower")]


def example_chickwts():
    """chickwts (R datasets; weights of 71 chicks after six weeks on one of six feeds): are the
    feeds equally represented (chi-square on the string field feed), and do the weights differ by
    feed (Kruskal-Wallis with pairwise comparisons, median test)?"""
    rows = read_csv("chickwts.csv")
    weight = Field("weight", "Weight at six weeks (g)", "continuous", "double",
                   data=column(rows, "weight"))
    feed = Field("feed", "Feed supplement", "categorical", "string", FEEDS,
                 codes(rows, "feed", FEEDS))
    y, g, k = weight.data, feed.data, len(FEEDS)
    tests = [chi_square_test(1, g, k), kruskal_wallis(0, 1, y, g, k, "pairwise"),
             median_test(0, 1, y, g, k)]
    command = ("NPTESTS\n  /ONESAMPLE TEST(feed) CHISQUARE(EXPECTED=EQUAL)\n"
               "  /INDEPENDENT TEST(weight) GROUP(feed) KRUSKAL_WALLIS(COMPARE=PAIRWISE)\n"
               "    MEDIAN(TESTVALUE=SAMPLE COMPARE=NONE)" + COMMAND_END)
    return document([weight, feed], [0, 1], tests, len(rows)), command


def example_morley():
    """morley (R datasets; Michelson's 1879 speed-of-light measurements, km/s minus 299000, 100
    runs in run order): are the runs random about their median, is the median the modern value
    792.458 (Wilcoxon), and are the values normal with the sample's mean and standard deviation
    (K-S with the simulated companion)?"""
    rows = read_csv("morley.csv")
    speed = Field("Speed", "Speed of light (km/s minus 299000)", "continuous", "double",
                  data=column(rows, "Speed"))
    x = speed.data
    tests = [runs_test(0, x, float(np.median(x))), one_sample_wilcoxon(0, x, 792.458)]
    tests += ks_test(0, x, "normal", simulate=True)
    command = ("NPTESTS\n  /ONESAMPLE TEST(Speed) RUNS(GROUPCONTINUOUS=CUTPOINT(MEDIAN))\n"
               "    WILCOXON(TESTVALUE=792.458)\n"
               "    KOLMOGOROV_SMIRNOV(NORMAL=SAMPLE NSAMPLES=%d MC_CILEVEL=%d)\n"
               "  /MISSING SCOPE=ANALYSIS USERMISSING=EXCLUDE\n"
               "  /CRITERIA ALPHA=0.05 CILEVEL=95 SEED=%d." % (MC_SAMPLES, MC_LEVEL, MC_SEED))
    return document([speed], [0], tests, len(rows)), command


def example_trees():
    """trees (R datasets; height in feet of 31 felled black cherry trees): K-S tests against
    distributions with given parameters (no simulation): normal(75, 6), uniform(60, 90),
    exponential with mean 75 and Poisson with mean 75."""
    rows = read_csv("trees.csv")
    height = Field("Height", "Height (ft)", "continuous", "double", data=column(rows, "Height"))
    x = height.data
    tests = []
    for dist, params in (("normal", [75.0, 6.0]), ("uniform", [60.0, 90.0]),
                         ("exponential", [75.0]), ("poisson", [75.0])):
        tests += ks_test(0, x, dist, params)
    command = ("NPTESTS\n  /ONESAMPLE TEST(Height) KOLMOGOROV_SMIRNOV(NORMAL=CUSTOM(MEAN=75 SD=6)\n"
               "    UNIFORM=CUSTOM(MIN=60 MAX=90) EXPONENTIAL=CUSTOM(MEAN=75)\n"
               "    POISSON=CUSTOM(MEAN=75))" + COMMAND_END)
    return document([height], [0], tests, len(rows)), command


def airquality_rows():
    return read_csv("airquality.csv")


def example_ozone():
    """airquality (R datasets; New York, May to September 1973): ozone in ppb on the 116 days
    with a reading (37 missing); K-S tests for the exponential and the uniform distribution with
    parameters from the sample and the simulated companions."""
    rows = airquality_rows()
    ozone = Field("Ozone", "Mean ozone (ppb)", "continuous", "double", data=column(rows, "Ozone"))
    x = ozone.data[~np.isnan(ozone.data)]
    tests = ks_test(0, x, "exponential", simulate=True, seed=MC_SEED)
    tests += ks_test(0, x, "uniform", simulate=True, seed=MC_SEED + 1)
    command = ("NPTESTS\n  /ONESAMPLE TEST(Ozone)\n"
               "    KOLMOGOROV_SMIRNOV(EXPONENTIAL=SAMPLE UNIFORM=SAMPLE NSAMPLES=%d)\n"
               "  /MISSING SCOPE=ANALYSIS USERMISSING=EXCLUDE\n"
               "  /CRITERIA ALPHA=0.05 CILEVEL=95 SEED=%d." % (MC_SAMPLES, MC_SEED))
    return document([ozone], [0], tests, len(rows)), command


def example_ozone_dates():
    """airquality again: the 16 days with ozone above 80 ppb. Are they spread evenly over the
    season (K-S uniform on the date field, parameters from the sample, simulated companion)?
    Dates are days since 1 January 1970, as the engine writes date values."""
    rows = [r for r in airquality_rows() if r["Ozone"] != "NA" and int(r["Ozone"]) > 80]
    epoch = datetime.date(1970, 1, 1)
    days = [(datetime.date(1973, int(r["Month"]), int(r["Day"])) - epoch).days for r in rows]
    date = Field("Date", "Date of measurement", "continuous", "date", data=days)
    tests = ks_test(0, date.data, "uniform", simulate=True, seed=MC_SEED + 2)
    command = ("NPTESTS\n  /ONESAMPLE TEST(Date) KOLMOGOROV_SMIRNOV(UNIFORM=SAMPLE NSAMPLES=%d)\n"
               "  /MISSING SCOPE=ANALYSIS USERMISSING=EXCLUDE\n"
               "  /CRITERIA ALPHA=0.05 CILEVEL=95 SEED=%d." % (MC_SAMPLES, MC_SEED))
    return document([date], [0], tests, len(rows)), command


def example_sleep():
    """sleep (R datasets; Student 1908: extra hours of sleep of 10 patients under two drugs):
    sign test, Wilcoxon signed-rank test and Hodges-Lehmann estimate of drug2 - drug1."""
    rows = read_csv("sleep.csv")
    d1 = Field("drug1", "Extra sleep with drug 1 (h)", "continuous", "double",
               data=column(rows, "drug1"))
    d2 = Field("drug2", "Extra sleep with drug 2 (h)", "continuous", "double",
               data=column(rows, "drug2"))
    tests = related_pair_tests(0, 1, d1.data, d2.data)
    command = ("NPTESTS\n  /RELATED TEST(drug1 drug2) SIGN WILCOXON HODGES_LEHMANN"
               + COMMAND_END)
    return document([d1, d2], [0, 1], tests, len(rows)), command


def occupational_table():
    rows = read_csv("occupationalStatus.csv")
    table = np.zeros((8, 8))
    for r in rows:
        table[int(r["origin"]) - 1][int(r["destination"]) - 1] = float(r["Freq"])
    return table


def example_occupational():
    """occupationalStatus (R datasets; Goodman 1979: occupational status of 3498 British fathers
    and sons, eight ordered categories): marginal homogeneity of father's and son's status, and
    McNemar's test of moves across the line between categories 1-4 and 5-8."""
    table = occupational_table()
    values = [(str(i), "Status %d" % i) for i in range(1, 9)]
    origin = np.repeat(np.arange(8), table.sum(axis=1).astype(int)).astype(float)
    destination = np.repeat(np.arange(8), table.sum(axis=0).astype(int)).astype(float)
    f_origin = Field("origin", "Father's occupational status", "ordinal", "integer", values, origin)
    f_dest = Field("destination", "Son's occupational status", "ordinal", "integer", values,
                   destination)
    low, high = [0, 1, 2, 3], [4, 5, 6, 7]
    two = [[table[np.ix_(high, high)].sum(), table[np.ix_(high, low)].sum()],
           [table[np.ix_(low, high)].sum(), table[np.ix_(low, low)].sum()]]
    tests = [mcnemar_test(0, 1, two, high, low),
             marginal_homogeneity_test(0, 1, table, list(range(1, 9)))]
    command = ("NPTESTS\n  /RELATED TEST(origin destination)\n"
               "    MCNEMAR(SUCCESS=LIST(5 6 7 8)) MARGINAL_HOMOGENEITY" + COMMAND_END)
    return document([f_origin, f_dest], [0, 1], tests, int(table.sum())), command


JUDGE_RATINGS = [("INTG", "Judicial integrity"), ("DMNR", "Demeanor"), ("DILG", "Diligence"),
                 ("CFMG", "Case flow managing")]


def example_judges_cochran():
    """USJudgeRatings (R datasets; lawyers' ratings of 43 judges of the US Superior Court): is a
    rating of 8 or more equally frequent for integrity, demeanor, diligence and case flow
    managing? Cochran's Q with pairwise comparisons on the four derived 0/1 fields."""
    rows = read_csv("USJudgeRatings.csv")
    values = [("0", "Below 8"), ("1", "8 or more")]
    fields = [Field(name + "8", label + " rated 8 or more", "categorical", "integer", values,
                    (column(rows, name) >= 8.0).astype(float))
              for name, label in JUDGE_RATINGS]
    tests = [cochran_test([0, 1, 2, 3], [f.data for f in fields], 1)]
    command = ("NPTESTS\n  /RELATED TEST(INTG8 DMNR8 DILG8 CFMG8)\n"
               "    COCHRAN(SUCCESS=LIST(1) COMPARE=PAIRWISE)" + COMMAND_END)
    return document(fields, [0, 1, 2, 3], tests, len(rows)), command


def example_judges_friedman():
    """USJudgeRatings: do the four ratings differ in level (Friedman, pairwise comparisons), and
    how far do the judges' rankings of the four agree (Kendall's W)?"""
    rows = read_csv("USJudgeRatings.csv")
    fields = [Field(name, label, "continuous", "double", data=column(rows, name))
              for name, label in JUDGE_RATINGS]
    tests = friedman_kendall([0, 1, 2, 3], [f.data for f in fields])
    command = ("NPTESTS\n  /RELATED TEST(INTG DMNR DILG CFMG)\n"
               "    FRIEDMAN(COMPARE=PAIRWISE) KENDALL(COMPARE=NONE)" + COMMAND_END)
    return document(fields, [0, 1, 2, 3], tests, len(rows)), command


WOOL = [("A", "Wool A"), ("B", "Wool B")]
TENSION = [("L", "Low"), ("M", "Medium"), ("H", "High")]


def warpbreaks_fields(group_key, group_values, group_label):
    rows = read_csv("warpbreaks.csv")
    breaks = Field("breaks", "Warp breaks per loom", "continuous", "double",
                   data=column(rows, "breaks"))
    group = Field(group_key, group_label, "ordinal" if group_key == "tension" else "categorical",
                  "string", group_values, codes(rows, group_key, group_values))
    return breaks, group, len(rows)


def example_warpbreaks_wool():
    """warpbreaks (R datasets; Tippett 1950: warp breaks per loom for 54 looms): do the two wools
    differ? Mann-Whitney, Wald-Wolfowitz, two-sample K-S, Moses (wool A as control) and the
    Hodges-Lehmann difference B - A."""
    breaks, wool, n = warpbreaks_fields("wool", WOOL, "Type of wool")
    tests = two_group_tests(0, 1, breaks.data, wool.data)
    command = ("NPTESTS\n  /INDEPENDENT TEST(breaks) GROUP(wool) MANN_WHITNEY WALD_WOLFOWITZ\n"
               "    KOLMOGOROV_SMIRNOV MOSES(TRIMOUTLIERS=SAMPLE) HODGES_LEHMANN" + COMMAND_END)
    return document([breaks, wool], [0, 1], tests, n), command


def example_warpbreaks_tension():
    """warpbreaks: do breaks fall as tension rises from low to high? Jonckheere-Terpstra with
    pairwise comparisons."""
    breaks, tension, n = warpbreaks_fields("tension", TENSION, "Tension")
    tests = [jonckheere(0, 1, breaks.data, tension.data, 3)]
    command = ("NPTESTS\n  /INDEPENDENT TEST(breaks) GROUP(tension)\n"
               "    JONCKHEERE_TERPSTRA(ORDER=ASCENDING COMPARE=PAIRWISE)" + COMMAND_END)
    return document([breaks, tension], [0, 1], tests, n), command


SPRAYS = [(s, "Spray " + s) for s in "ABCDEF"]


def example_insectsprays():
    """InsectSprays (R datasets; Beall 1942: insects counted on 72 plots treated with six
    insecticides): do the counts differ by spray? Kruskal-Wallis with homogeneous subsets."""
    rows = read_csv("InsectSprays.csv")
    count = Field("count", "Insect count", "continuous", "double", data=column(rows, "count"))
    spray = Field("spray", "Insecticide", "categorical", "string", SPRAYS,
                  codes(rows, "spray", SPRAYS))
    tests = [kruskal_wallis(0, 1, count.data, spray.data, 6, "stepwise")]
    command = ("NPTESTS\n  /INDEPENDENT TEST(count) GROUP(spray) KRUSKAL_WALLIS(COMPARE=STEPWISE)"
               + COMMAND_END)
    return document([count, spray], [0, 1], tests, len(rows)), command


PLANT_GROUPS = [("ctrl", "Control"), ("trt1", "Treatment 1"), ("trt2", "Treatment 2")]


def example_plantgrowth_split():
    """PlantGrowth (R datasets; Dobson 1983: dried weight of plants, 10 per group), split by
    group: in each group, is the median weight 5 g (Wilcoxon), and is the weight normal with the
    group's mean and standard deviation (K-S with Lilliefors's table, no simulation)? One document
    per group; the split variable group is in each dictionary."""
    rows = read_csv("PlantGrowth.csv")
    out = {}
    for code, _ in PLANT_GROUPS:
        sub = [r for r in rows if r["group"] == code]
        weight = Field("weight", "Dried weight (g)", "continuous", "double",
                       data=column(sub, "weight"))
        group = Field("group", "Treatment group", "categorical", "string", PLANT_GROUPS,
                      codes(sub, "group", PLANT_GROUPS))
        x = weight.data
        tests = [one_sample_wilcoxon(0, x, 5.0)] + ks_test(0, x, "normal")
        out["split_" + code] = document([weight, group], [0], tests, len(sub))
    command = ("NPTESTS\n  /ONESAMPLE TEST(weight) WILCOXON(TESTVALUE=5)\n"
               "    KOLMOGOROV_SMIRNOV(NORMAL(SAMPLE=FALSE))" + COMMAND_END)
    return out, command


EXAMPLES = [
    ("onesample_mtcars", example_mtcars),
    ("chickwts", example_chickwts),
    ("onesample_morley", example_morley),
    ("ks_trees_given", example_trees),
    ("ks_ozone_sample", example_ozone),
    ("ks_ozone_dates", example_ozone_dates),
    ("related_sleep", example_sleep),
    ("related_occupational", example_occupational),
    ("related_judges_cochran", example_judges_cochran),
    ("related_judges_friedman", example_judges_friedman),
    ("independent_warpbreaks_wool", example_warpbreaks_wool),
    ("independent_warpbreaks_tension", example_warpbreaks_tension),
    ("independent_insectsprays", example_insectsprays),
    ("split_plantgrowth", example_plantgrowth_split),
]


def write(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    written = []
    for name, make in EXAMPLES:
        docs, command = make()
        if isinstance(docs, str):
            docs = {name: docs}
        for doc_name, text in docs.items():
            check_layout(text, doc_name)  # also refuses a document that is not well-formed
            write(os.path.join(EXAMPLES_DIR, doc_name + ".xml"), text)
            write(os.path.join(EXAMPLES_DIR, doc_name + ".sps"), command + "\n")
            written.append(doc_name)
    print("make_examples: wrote %d documents in %s" % (len(written), EXAMPLES_DIR))


if __name__ == "__main__":
    main()
