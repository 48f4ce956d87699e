#!/usr/bin/env Rscript
# The independent-samples tests checked against R: seeded random data sets and the bundled ones,
# written as ONE CSV with a split column and run through `nptests --data` (one call for the
# pairwise comparisons, one for the homogeneous subsets); every figure of the saved documents is
# compared with R's (stats, coin, rstatix, effectsize or, where R has no function, the published
# formula written here in R): 1e-9 relative for asymptotic figures, 1e-12 for exact ones, the
# bootstrap bounds within their Monte Carlo error. Exits 1 on any figure beyond its tolerance.
# Usage: Rscript scripts/check-engine-independent.R [--nptests build/bin/nptests]
suppressPackageStartupMessages({
  library(coin)
  library(rstatix)
})

args <- commandArgs(trailingOnly = TRUE)
root <- normalizePath(file.path(dirname(sub("--file=", "", grep("--file=", commandArgs(FALSE),
                                                              value = TRUE))), ".."))
at <- match("--nptests", args)
nptests <- if (is.na(at)) file.path(root, "build", "bin", "nptests") else args[at + 1]

data_rows <- list()
ref_rows <- list()
add_ref <- function(set, test, figure, value, tol) {
  ref_rows[[length(ref_rows) + 1]] <<- list(set, test, figure, unname(value), tol)
}
ASYM <- 1e-9
EXACT <- 1e-12

ties_term <- function(y) { t <- table(y); sum(t^3 - t) }

# Kolmogorov's limiting distribution, P(K > z), by its two series.
kolmogorov_upper <- function(z) {
  if (z <= 0) return(1)
  if (z < 1) {
    k <- seq(1, 39, 2)
    return(1 - sqrt(2 * pi) / z * sum(exp(-k^2 * pi^2 / (8 * z^2))))
  }
  k <- 1:100
  2 * sum((-1)^(k - 1) * exp(-2 * k^2 * z^2))
}

# Fewest and most runs over the orders of tied values: per block of equal values the two groups'
# counts (a, b); a block alone gives 1 run (one group) or 2..(2 min + [a != b]) runs, and joins
# its neighbour's run when the facing ends share a group.
min_max_runs <- function(y, g) {
  vals <- sort(unique(y))
  a <- sapply(vals, function(v) sum(y == v & g == 1))
  b <- sapply(vals, function(v) sum(y == v & g == 2))
  solve <- function(most) {
    pick <- if (most) max else min
    best <- c(NA, NA) # runs so far ending in group 1, group 2
    for (i in seq_along(vals)) {
      opts <- list()
      if (a[i] == 0) opts <- list(c(2, 2, 1))
      else if (b[i] == 0) opts <- list(c(1, 1, 1))
      else if (!most) {
        opts <- list(c(1, 2, 2), c(2, 1, 2))
        if (a[i] >= 2) opts[[length(opts) + 1]] <- c(1, 1, 3)
        if (b[i] >= 2) opts[[length(opts) + 1]] <- c(2, 2, 3)
      } else {
        m <- min(a[i], b[i])
        opts <- list(c(1, 2, 2 * m), c(2, 1, 2 * m))
        if (a[i] > b[i]) opts[[length(opts) + 1]] <- c(1, 1, 2 * m + 1)
        if (b[i] > a[i]) opts[[length(opts) + 1]] <- c(2, 2, 2 * m + 1)
      }
      nxt <- c(NA, NA)
      for (o in opts) {
        cand <- if (i == 1) o[3] else {
          v <- c(best[1] + o[3] - (o[1] == 1), best[2] + o[3] - (o[1] == 2))
          pick(v, na.rm = TRUE)
        }
        nxt[o[2]] <- if (is.na(nxt[o[2]])) cand else pick(nxt[o[2]], cand)
      }
      best <- nxt
    }
    pick(best, na.rm = TRUE)
  }
  c(solve(FALSE), solve(TRUE))
}

runs_z <- function(r, n1, n2) {
  n <- n1 + n2
  mu <- 2 * n1 * n2 / n + 1
  s <- sqrt(2 * n1 * n2 * (2 * n1 * n2 - n) / (n^2 * (n - 1)))
  (r - mu) / s
}

moses_sig <- function(s, m, n, h) {
  i <- 0:max(0, min(n, s - m + 2 * h))
  if (s - m + 2 * h < 0) return(0)
  sum(choose(i + m - 2 * h - 2, i) * choose(n + 2 * h + 1 - i, n - i)) / choose(m + n, m)
}

two_sample <- function(set, y, g, alpha = 0.05, conf = 0.95) {
  x1 <- y[g == 1]; x2 <- y[g == 2]
  n1 <- length(x1); n2 <- length(x2); n <- n1 + n2
  r <- rank(y)
  # Mann-Whitney: stats::wilcox.test (normal, no continuity correction) and coin's exact test.
  wt <- suppressWarnings(wilcox.test(x2, x1, exact = FALSE, correct = FALSE))
  add_ref(set, "MW", "StatisticsResult/TestStatistic", unname(wt$statistic), ASYM)
  add_ref(set, "MW", "StatisticsResult/WilcoxonW", sum(r[g == 2]), ASYM)
  add_ref(set, "MW", "StatisticsResult/AsymptoticSig2Tailed", wt$p.value, ASYM)
  if (n <= 50 && n1 > 0 && n2 > 0 && length(unique(y)) > 1) {
    ex <- coin::pvalue(coin::wilcox_test(y ~ factor(g), distribution = "exact"))
    add_ref(set, "MW", "StatisticsResult/ExactSig2Tailed", ex, EXACT)
  }
  # Wald-Wolfowitz runs.
  mm <- min_max_runs(y, g)
  add_ref(set, "WW", "MinimumPossible/TestStatistic", mm[1], EXACT)
  add_ref(set, "WW", "MaximumPossible/TestStatistic", mm[2], EXACT)
  if (n > 2) {
    add_ref(set, "WW", "MinimumPossible/AsymptoticSig1Tailed", pnorm(runs_z(mm[1], n1, n2)), ASYM)
    add_ref(set, "WW", "MaximumPossible/AsymptoticSig1Tailed", pnorm(runs_z(mm[2], n1, n2)), ASYM)
  }
  # Kolmogorov-Smirnov: D from ks.test; the limiting distribution at full precision.
  d <- unname(suppressWarnings(ks.test(x1, x2, exact = FALSE))$statistic)
  grid <- sort(unique(y))
  diff <- ecdf(x1)(grid) - ecdf(x2)(grid)
  add_ref(set, "KS", "MostExtremeDifferences/Absolute", d, ASYM)
  add_ref(set, "KS", "MostExtremeDifferences/Positive", max(0, diff), ASYM)
  add_ref(set, "KS", "MostExtremeDifferences/Negative", min(0, diff), ASYM)
  add_ref(set, "KS", "StatisticsResult/AsymptoticSig2Tailed",
          kolmogorov_upper(d * sqrt(n1 * n2 / n)), ASYM)
  # Moses: control = the first group.
  if (n1 >= 2) {
    cr <- sort(r[g == 1])
    h <- min(max(1, floor(0.05 * n1)), floor((n1 - 2) / 2))
    span <- floor(cr[n1] - cr[1] + 1 + 1e-9)
    trimmed <- floor(cr[n1 - h] - cr[1 + h] + 1 + 1e-9)
    add_ref(set, "MOSES", "ObservedControlGroup/TestStatistic", span, EXACT)
    add_ref(set, "MOSES", "ObservedControlGroup/ExactSig1Tailed", min(1, moses_sig(span, n1, n2, 0)), ASYM)
    add_ref(set, "MOSES", "TrimmedControlGroup/TestStatistic", trimmed, EXACT)
    add_ref(set, "MOSES", "TrimmedControlGroup/ExactSig1Tailed", min(1, moses_sig(trimmed, n1, n2, h)), ASYM)
  }
  # Hodges-Lehmann: median of the differences, the interval of Hollander and Wolfe.
  dd <- sort(as.vector(outer(x2, x1, "-")))
  cc <- max(1, round(n1 * n2 / 2 - qnorm(0.5 + conf / 2) * sqrt(n1 * n2 * (n + 1) / 12)))
  add_ref(set, "HL", "StatisticsResult/Estimate", median(dd), ASYM)
  add_ref(set, "HL", "Asymptotic/ConfidenceIntervalLowerBound", dd[cc], ASYM)
  add_ref(set, "HL", "Asymptotic/ConfidenceIntervalUpperBound", dd[min(length(dd), n1 * n2 - cc + 1)], ASYM)
}

# Homogeneous subsets (Campbell and Skillings) of the groups in order `ord`; test(y, g) gives a
# run's statistic and significance, or NULL when it has none (the run is homogeneous).
stepwise <- function(y, g, alpha, ord, test) {
  k <- length(ord)
  found <- list()
  for (p in k:2) for (s in 1:(k - p + 1)) {
    e <- s + p - 1
    if (any(sapply(found, function(f) f[1] <= s && e <= f[2]))) next
    sel <- g %in% ord[s:e]
    r <- test(y[sel], g[sel])
    if (is.null(r)) { found[[length(found) + 1]] <- c(s, e, NA, NA); next }
    adj <- 1 - (1 - r[2])^(k / p)
    if (adj > alpha) found[[length(found) + 1]] <- c(s, e, r[1], adj)
  }
  # A group in no homogeneous subset stands alone, untested.
  for (j in 1:k) if (!any(sapply(found, function(f) f[1] <= j && j <= f[2])))
    found[[length(found) + 1]] <- c(j, j, NA, NA)
  found
}

# Jonckheere-Terpstra's J, its variance and mean over the groups in ascending order, textbook
# formula (Hollander and Wolfe eq. 6.19; the cross terms vanish below three and two cases).
jt <- function(y, g) {
  lev <- sort(unique(g))
  n <- length(y)
  sizes <- as.numeric(table(g))
  j <- 0
  for (a in 1:(length(lev) - 1)) for (b in (a + 1):length(lev)) {
    xa <- y[g == lev[a]]; xb <- y[g == lev[b]]
    j <- j + sum(outer(xb, xa, ">")) + 0.5 * sum(outer(xb, xa, "=="))
  }
  t <- as.numeric(table(y))
  v <- (n * (n - 1) * (2 * n + 5) - sum(sizes * (sizes - 1) * (2 * sizes + 5)) -
          sum(t * (t - 1) * (2 * t + 5))) / 72 +
    (if (n > 2) sum(sizes * (sizes - 1) * (sizes - 2)) * sum(t * (t - 1) * (t - 2)) /
       (36 * n * (n - 1) * (n - 2)) else 0) +
    sum(sizes * (sizes - 1)) * sum(t * (t - 1)) / (8 * n * (n - 1))
  c(j, v, (n^2 - sum(sizes^2)) / 4)
}

# The subsets by display positions (0-based) with their adjusted significances (-1: untested).
add_subsets <- function(set, test, st) {
  add_ref(set, test, "SubsetCount", length(st), EXACT)
  for (f in st) add_ref(set, test, sprintf("Subset/%d-%d/adj", f[1] - 1, f[2] - 1),
                        ifelse(is.na(f[4]), -1, f[4]), ASYM)
}

# Rank epsilon squared and its percentile bootstrap interval (resamples within the groups): the
# estimate from effectsize; the bounds are effectsize's own bootstrap's, the engine's come from its
# own random stream, so each must lie within R's replicates' quantiles at p -/+ 5 sqrt(p(1 - p)/B)
# (five standard errors of the quantile's level; B / 2 replicates of R's suffice to place them),
# written as a midpoint and a half-width.
BOOT <- 2000
effect_size <- function(set, y, g, conf = 0.95) {
  # The data sets that follow must not depend on how many draws the bootstrap took.
  seed <- .Random.seed
  on.exit(assign(".Random.seed", seed, envir = globalenv()))
  d <- data.frame(y = y, g = factor(g))
  es <- effectsize::rank_epsilon_squared(y ~ g, data = d, ci = conf, alternative = "two.sided",
                                         iterations = BOOT)
  add_ref(set, "KW", "RankEpsilonSquared/Estimate", es$rank_epsilon_squared, ASYM)
  n <- length(y)
  reps <- boot::boot(d, function(x, i) {
    h <- suppressWarnings(kruskal.test(x$y[i], x$g[i])$statistic)
    if (is.na(h)) 0 else h / (n - 1)
  }, R = BOOT / 2, strata = d$g)$t
  for (b in list(c("Lower", (1 - conf) / 2, es$CI_low), c("Upper", (1 + conf) / 2, es$CI_high))) {
    p <- as.numeric(b[2])
    s <- 5 * sqrt(p * (1 - p) / BOOT)
    q <- quantile(reps, c(max(0, p - s), min(1, p + s)), names = FALSE)
    r <- as.numeric(b[3])
    lo <- min(q[1], r); hi <- max(q[2], r)
    add_ref(set, "KW", paste0("RankEpsilonSquared/", b[1]), (lo + hi) / 2, (hi - lo) / 2 + 1e-12)
  }
}

k_sample <- function(set, y, g, alpha = 0.05, bootstrap = FALSE) {
  lev <- sort(unique(g))
  k <- length(lev)
  n <- length(y)
  if (length(unique(y)) > 1) {
    kt <- kruskal.test(y, factor(g))
    add_ref(set, "KW", "StatisticsResult/TestStatistic", unname(kt$statistic), ASYM)
    add_ref(set, "KW", "StatisticsResult/AsymptoticSig2Tailed", kt$p.value, ASYM)
    if (bootstrap) effect_size(set, y, g)
    # Dunn's comparisons (rstatix): |z| and the Bonferroni-adjusted significance per pair.
    dt <- dunn_test(data.frame(y = y, g = factor(g)), y ~ g, p.adjust.method = "bonferroni")
    for (i in seq_len(nrow(dt)))
      add_ref(set, "KW", sprintf("Pair/%s-%s/absz", dt$group1[i], dt$group2[i]), abs(dt$statistic[i]), ASYM)
    for (i in seq_len(nrow(dt)))
      add_ref(set, "KW", sprintf("Pair/%s-%s/adj", dt$group1[i], dt$group2[i]), dt$p.adj[i], ASYM)
    kw_test <- function(y, g) {
      if (length(unique(y)) == 1) return(NULL)
      kt <- kruskal.test(y, factor(g))
      c(kt$statistic, kt$p.value)
    }
    mr <- tapply(rank(y), g, mean)[as.character(lev)]
    add_subsets(set, "SW", stepwise(y, g, alpha, lev[order(mr)], kw_test))
  }
  # The median test's comparisons: each pair (each run) tested about its own pooled median.
  med_test <- function(y, g) {
    tab <- table(factor(y > median(y), levels = c(TRUE, FALSE)), factor(g))
    if (any(rowSums(tab) == 0)) return(NULL)
    ct <- suppressWarnings(chisq.test(tab, correct = FALSE))
    c(ct$statistic, ct$p.value)
  }
  if (!is.null(med_test(y, g))) {
  meds <- tapply(y, g, median)[as.character(lev)]
  for (a in 1:(k - 1)) for (b in (a + 1):k) {
    sel <- g %in% lev[c(a, b)]
    r <- med_test(y[sel], g[sel])
    key <- sprintf("Pair/%d-%d/", lev[a], lev[b])
    add_ref(set, "MED", paste0(key, "stat"), if (is.null(r)) -1 else r[1], ASYM)
    add_ref(set, "MED", paste0(key, "adj"), if (is.null(r)) -1 else min(1, r[2] * k * (k - 1) / 2), ASYM)
  }
  add_subsets(set, "MEDSW", stepwise(y, g, alpha, lev[order(meds)], med_test))
  }
  # Jonckheere-Terpstra's subsets: runs in the groups' order, J one-sided (its upper tail).
  jt_test <- function(y, g) {
    r <- jt(y, g)
    if (!(r[2] > 0)) return(NULL)
    c(r[1], pnorm((r[1] - r[3]) / sqrt(r[2]), lower.tail = FALSE))
  }
  add_subsets(set, "JTSW", stepwise(y, g, alpha, lev, jt_test))
  # Median test: Pearson chi-square of the 2 x k table, values at the median below it.
  med <- median(y)
  tab <- table(factor(y > med, levels = c(TRUE, FALSE)), factor(g))
  if (all(rowSums(tab) > 0)) {
    ct <- suppressWarnings(chisq.test(tab, correct = FALSE))
    add_ref(set, "MED", "StatisticsResult/Median", med, ASYM)
    add_ref(set, "MED", "StatisticsResult/TestStatistic", unname(ct$statistic), ASYM)
    add_ref(set, "MED", "StatisticsResult/AsymptoticSig2Tailed", ct$p.value, ASYM)
  }
  r <- jt(y, g)
  if (r[2] > 0) {
    add_ref(set, "JT", "StatisticsResult/TestStatistic", r[1], ASYM)
    add_ref(set, "JT", "StatisticsResult/AsymptoticSig2Tailed",
            2 * pnorm(-abs((r[1] - r[3]) / sqrt(r[2]))), ASYM)
  }
}

add_set <- function(set, y, g, w) {
  data_rows[[length(data_rows) + 1]] <<- data.frame(set = set, value = y, group = g, weight = w)
}

# The cases as R sees them: a case of weight w written out w times.
expand <- function(y, g, w) list(y = rep(y, w), g = rep(g, w))

set.seed(20261207)
set <- 0
for (family in c("two", "k")) {
  for (i in 1:220) {
    set <- set + 1
    k <- if (family == "two") 2 else sample(2:10, 1)
    sizes <- if (i %% 3 == 0) sample(1:25, k, replace = TRUE) else sample(2:8, k, replace = TRUE)
    if (family == "two" && i %% 5 == 0) sizes <- sample(30:60, 2)
    g <- rep(seq_len(k), sizes)
    y <- if (i %% 4 == 0) round(rnorm(length(g), mean = g * 0.3), 2) else sample(1:(2 + i %% 9), length(g), replace = TRUE) + (g %% 3) * (i %% 2)
    w <- if (i %% 6 == 0) sample(1:3, length(g), replace = TRUE) else rep(1, length(g))
    add_set(set, y, g, w)
    # An empty group: a case whose value is missing.
    if (i %% 7 == 0) add_set(set, NA, k + 1, 1)
    e <- expand(y, g, w)
    if (family == "two") two_sample(set, e$y, e$g) else k_sample(set, e$y, e$g, bootstrap = i %% 110 == 1)
  }
}

# The bundled data sets.
ex <- file.path(root, "examples", "data")
bundled <- list(list("chickwts.csv", "weight", "feed"), list("warpbreaks.csv", "breaks", "tension"),
                list("InsectSprays.csv", "count", "spray"))
for (b in bundled) {
  d <- read.csv(file.path(ex, b[[1]]))
  set <- set + 1
  g <- as.integer(factor(d[[b[[3]]]], levels = sort(unique(d[[b[[3]]]]))))
  add_set(set, d[[b[[2]]]], g, 1)
  k_sample(set, d[[b[[2]]]], g, bootstrap = TRUE)
}
d <- read.csv(file.path(ex, "warpbreaks.csv"))
set <- set + 1
g <- as.integer(factor(d$wool))
add_set(set, d$breaks, g, 1)
two_sample(set, d$breaks, g)

{
  work <- tempfile("independent")
  dir.create(work)
  csv <- file.path(work, "all.csv")
  write.csv(do.call(rbind, data_rows), csv, row.names = FALSE, na = "", quote = FALSE)
  dictionary <- file.path(work, "dictionary.json")
  writeLines(paste0('{"variables": [{"name": "set", "measure": "scale"}, ',
                    '{"name": "value", "measure": "scale"}, {"name": "group", "measure": "nominal"}, ',
                    '{"name": "weight", "measure": "scale"}], "weight": "weight"}'), dictionary)
  head <- "NPTESTS /INDEPENDENT TEST(value) GROUP(group) "
  runs <- list(
    pairwise = paste0(head, "MANN_WHITNEY WALD_WOLFOWITZ KOLMOGOROV_SMIRNOV MOSES HODGES_LEHMANN ",
                      "KRUSKAL_WALLIS(COMPARE=PAIRWISE) MEDIAN(COMPARE=PAIRWISE) ",
                      "JONCKHEERE_TERPSTRA(COMPARE=PAIRWISE)."),
    stepwise = paste0(head, "KRUSKAL_WALLIS(COMPARE=STEPWISE) MEDIAN(COMPARE=STEPWISE) ",
                      "JONCKHEERE_TERPSTRA(COMPARE=STEPWISE)."))
  # The figures of a document keyed as the reference names them: "algorithm|table/attribute",
  # and per comparison row "algorithm|Pair/a-b/..." (groups 1..k, either order) or
  # "algorithm|Subset/from-to/adj" (display positions) with the subsets' count.
  figures_of <- function(text, prefix) {
    tags <- regmatches(text, gregexpr(paste0('<(/?)(Algorithm|StructuredTable|SimpleTable|Attribute|Row)',
                                             '(?: name="([^"]*)")?(?: value="([^"]*)")?[^>]*?(/?)>([^<]*)'),
                                      text, perl = TRUE))[[1]]
    parts <- regmatches(tags, regexec(paste0('^<(/?)(\\w+)(?: name="([^"]*)")?(?: value="([^"]*)")?',
                                             '[^>]*?(/?)>([^<]*)$'), tags, perl = TRUE))
    num <- function(x) if (x == "__MISSING__") -1 else as.numeric(x)
    f <- new.env(hash = TRUE)
    algorithm <- ""; tables <- character(); simple <- ""
    for (m in parts) {
      closing <- m[2] == "/"; empty <- m[6] == "/"; kind <- m[3]
      if (kind == "Algorithm" && !closing) algorithm <- paste0(prefix, m[4])
      else if (kind == "StructuredTable" && !empty) {
        if (closing) tables <- head(tables, -1) else tables <- c(tables, m[4])
      } else if (kind == "SimpleTable" && !closing) simple <- m[4]
      else if (kind == "Attribute" && length(tables))
        f[[paste0(algorithm, "|", tail(tables, 1), "/", m[4])]] <- suppressWarnings(num(m[5]))
      else if (kind == "Row" && !closing && simple == "Content") {
        row <- sapply(strsplit(trimws(m[7]), " +")[[1]], num)
        if (length(row) < 7) next
        if (tail(tables, 1) == "PairwiseResult") {
          for (key in c(sprintf("%d-%d", row[1] + 1, row[2] + 1), sprintf("%d-%d", row[2] + 1, row[1] + 1))) {
            f[[paste0(algorithm, "|Pair/", key, "/absz")]] <- abs(row[5])
            f[[paste0(algorithm, "|Pair/", key, "/stat")]] <- row[3]
            f[[paste0(algorithm, "|Pair/", key, "/adj")]] <- row[7]
          }
        } else {
          f[[paste0(algorithm, "|Subset/", row[1], "-", row[2], "/adj")]] <- row[7]
          count <- paste0(algorithm, "|SubsetCount")
          f[[count]] <- (if (is.null(f[[count]])) 0 else f[[count]]) + 1
        }
      }
    }
    as.list(f)
  }
  figures <- list()
  for (run in names(runs)) {
    dir <- file.path(work, run)
    dir.create(dir)
    command <- file.path(work, paste0(run, ".sps"))
    writeLines(runs[[run]], command)
    status <- system2(nptests, c("--data", csv, "--dictionary", dictionary, "--split-by", "set",
                                 "--syntax-file", command, "--save-results", dir),
                      stdout = FALSE, stderr = FALSE)
    if (status != 0) stop(sprintf("nptests exited %d on the %s run", status, run))
    for (id in seq_len(set)) {
      file <- file.path(dir, sprintf("%s_%d.xml", run, id))
      if (!file.exists(file)) next
      text <- paste(readLines(file, warn = FALSE), collapse = "\n")
      figures[[as.character(id)]] <- c(figures[[as.character(id)]],
                                       figures_of(text, if (run == "stepwise") "SW" else ""))
    }
  }
  unlink(work, recursive = TRUE)
  algorithms <- c(MW = "IMannWhitneyU", WW = "IWaldWolfowitzRuns", KS = "IKolmogorovSmirnov",
                  MOSES = "IMoses", HL = "IHodgesLehmannEstimateGroups", KW = "IKruskalWallis",
                  MED = "IMedian", JT = "IJonckheereTerpstra", SW = "SWIKruskalWallis",
                  MEDSW = "SWIMedian", JTSW = "SWIJonckheereTerpstra")
  column <- function(i) sapply(ref_rows, `[[`, i)
  refs <- data.frame(set = column(1), test = column(2), figure = column(3), expected = column(4),
                     tol = column(5))
  failures <- 0
  for (r in seq_len(nrow(refs))) {
    key <- paste0(algorithms[[refs$test[r]]], "|", refs$figure[r])
    engine <- figures[[as.character(refs$set[r])]][[key]]
    expected <- refs$expected[r]
    ok <- !is.null(engine) && !is.na(engine) &&
      abs(engine - expected) <= refs$tol[r] * max(1, abs(expected))
    if (!ok) {
      failures <- failures + 1
      if (failures <= 20)
        cat(sprintf("FAIL set %d %s: R %.10g, engine %s\n", refs$set[r], key, expected,
                    if (is.null(engine)) "none" else format(engine, digits = 10)))
    }
  }
  cat(sprintf("%d data sets, %d figures, %d failures\n", set, nrow(refs), failures))
  quit(status = if (failures) 1 else 0)
}

