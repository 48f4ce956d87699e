# The engine's one-sample tests against R: every figure of each test on the bundled data sets and
# on seeded random data sets (ties, zero differences, all cases equal, one category, missing
# values, user-missing values as numbers and as texts, weights, dates written as ISO dates),
# computed by R's own functions (chisq.test, binom.test, wilcox.test, ks.test,
# nortest::lillie.test) or, where R has none, by the published formula written here in R.
#
#   Rscript scripts/check-engine-onesample.R --reference tests/engine/reference/onesample.tsv
#       writes the data sets and R's figures as the table the engine's C++ test reads;
#   Rscript scripts/check-engine-onesample.R [--nptests build/app/nptests] [--sets N]
#       runs every data set through `nptests --data` (one CSV, split by data set) and compares
#       the saved documents with R, failing with one line per figure that disagrees.
#
# Tolerances: 1e-9 relative for asymptotic figures, 1e-12 for exact ones; a simulated
# significance passes when R's own simulated value lies in the engine's Monte Carlo interval
# (widened by three of R's standard errors).
suppressMessages({
  library(nortest)
})

args <- commandArgs(trailingOnly = TRUE)
option <- function(name, default = NULL) {
  at <- match(name, args)
  if (is.na(at)) default else args[at + 1]
}
root <- normalizePath(file.path(dirname(sub("^--file=", "", grep("^--file=", commandArgs(), value = TRUE))), ".."))
kAsymptotic <- 1e-9
kExact <- 1e-12
kSimulations <- 4000

# ---------------------------------------------------------------------------------------------
# Published formulas R has no function for

# Kolmogorov's limiting distribution, P(K > z): the alternating series for z >= 1, its
# Jacobi-theta transform below (Marsaglia, Tsang and Wang 2003, eq. 3 and 4).
kolmogorov_upper <- function(z) {
  if (!is.finite(z) || z <= 0) return(1)
  if (z < 1) {
    k <- seq(1, 39, by = 2)
    return(1 - sqrt(2 * pi) / z * sum(exp(-k^2 * pi^2 / (8 * z^2))))
  }
  k <- 1:100
  min(1, 2 * sum((-1)^(k - 1) * exp(-2 * k^2 * z^2)))
}

# Dallal and Wilkinson (1986) for the Lilliefors test, with Lilliefors's (1967) 20% critical
# values: the significance is written as the lower bound 0.2 below them, else capped at 0.2.
lilliefors_dw <- function(d, n) {
  crit <- c(`5` = .285, `6` = .265, `7` = .247, `8` = .233, `9` = .223, `10` = .215, `11` = .206,
            `12` = .199, `13` = .190, `14` = .183, `15` = .177, `16` = .173, `17` = .169,
            `18` = .166, `19` = .163, `20` = .160, `25` = .142, `30` = .131)
  c20 <- if (as.character(n) %in% names(crit)) crit[[as.character(n)]] else 0.736 / sqrt(n)
  if (d < c20) return(0.2)
  nd <- min(n, 100)
  dd <- if (n <= 100) d else d * (n / 100)^0.49
  min(0.2, exp(-7.01256 * dd^2 * (nd + 2.78019) + 2.99587 * dd * sqrt(nd + 2.78019) - 0.122119 +
                 0.974598 / sqrt(nd) + 1.67997 / nd))
}

# Runs about two groups in case order (Siegel and Castellan 1988, eq. 4.12-4.13), no continuity
# correction.
runs_test <- function(first) {
  n1 <- sum(first); n2 <- sum(!first); n <- n1 + n2
  runs <- if (n > 0) 1 + sum(first[-1] != first[-n]) else 0
  if (n1 == 0 || n2 == 0) return(list(n = n, runs = runs, sd = NaN, z = NaN, p = NaN))
  mean <- 2 * n1 * n2 / n + 1
  sd <- sqrt(2 * n1 * n2 * (2 * n1 * n2 - n) / (n^2 * (n - 1)))
  z <- (runs - mean) / sd
  list(n = n, runs = runs, mean = mean, sd = sd, z = z, p = 2 * pnorm(-abs(z)))
}

# The likelihood-ratio interval of a binomial rate (Brown, Cai and DasGupta 2001).
likelihood_interval <- function(x, n, level) {
  loglik <- function(p) (if (x > 0) x * log(p) else 0) + (if (n > x) (n - x) * log1p(-p) else 0)
  gap <- function(p) 2 * (loglik(x / n) - loglik(p)) - qchisq(level, 1)
  c(if (x > 0) uniroot(gap, c(0, x / n), tol = 1e-15)$root else 0,
    if (x < n) uniroot(gap, c(x / n, 1), tol = 1e-15)$root else 1)
}

# The Kolmogorov-Smirnov differences of a sample against a step distribution function (the
# Poisson's): both functions are right-continuous, so the extremes lie at the data values and at
# the last integer before each.
ks_discrete <- function(x, cdf) {
  n <- length(x)
  grid <- sort(unique(c(x, ceiling(x) - 1)))
  grid <- grid[grid >= min(0, min(x)) - 1]
  fn <- sapply(grid, function(g) sum(x <= g)) / n
  f <- cdf(grid)
  c(positive = max(0, fn - f), negative = max(0, f - fn))
}

# R's simulated Lilliefors significance: samples of the standard distribution refitted.
simulated_d <- function(family, n, b) {
  sapply(seq_len(b), function(i) {
    y <- sort(switch(family, normal = rnorm(n), uniform = runif(n), exponential = rexp(n)))
    f <- switch(family, normal = pnorm(y, mean(y), sd(y)),
                uniform = (y - y[1]) / (y[n] - y[1]), exponential = pexp(y, 1 / mean(y)))
    max(seq_len(n) / n - f, f - (seq_len(n) - 1) / n)
  })
}

# ---------------------------------------------------------------------------------------------
# R's figures of one data set

figure <- function(algorithm, occurrence, attribute, value, tolerance = kAsymptotic) {
  if (is.na(value) && tolerance > 0) tolerance <- 0
  data.frame(algorithm = algorithm, occurrence = occurrence, attribute = attribute,
             value = as.numeric(value), tolerance = tolerance, stringsAsFactors = FALSE)
}

binomial_figures <- function(success, p, level, occurrence, interval) {
  n <- length(success); x <- sum(success)
  out <- list(figure("OBinomial", occurrence, "TotalN", n, kExact),
              figure("OBinomial", occurrence, "TestStatistic", x, kExact))
  if (n == 0) return(do.call(rbind, c(out, list(figure("OBinomial", occurrence, "ExactSig2Tailed", NA)))))
  se <- sqrt(n * p * (1 - p))
  a <- 1 - level
  out <- c(out, list(
    figure("OBinomial", occurrence, "StandardError", se),
    figure("OBinomial", occurrence, "StandardizedTestStatistic", (x - n * p) / se),
    figure("OBinomial", occurrence, "ExactSig2Tailed", binom.test(x, n, p)$p.value, kExact)))
  if (interval) {
    cp <- binom.test(x, n, p, conf.level = level)$conf.int
    lr <- likelihood_interval(x, n, level)
    e <- "OEstimateConfidenceInterval"
    out <- c(out, list(
      figure(e, occurrence, "ClopperPearson/Estimate", x / n, kExact),
      figure(e, occurrence, "ClopperPearson/Lower", cp[1]),
      figure(e, occurrence, "ClopperPearson/Upper", cp[2]),
      figure(e, occurrence, "Jeffreys/Lower", qbeta(a / 2, x + 0.5, n - x + 0.5)),
      figure(e, occurrence, "Jeffreys/Upper", qbeta(1 - a / 2, x + 0.5, n - x + 0.5)),
      figure(e, occurrence, "ProfileLikelihood/Lower", lr[1], 1e-7),
      figure(e, occurrence, "ProfileLikelihood/Upper", lr[2], 1e-7)))
  }
  do.call(rbind, out)
}

runs_figures <- function(first, cut = NULL) {
  r <- runs_test(first)
  out <- list(figure("ORuns", 0, "TotalN", r$n, kExact), figure("ORuns", 0, "TestStatistic", r$runs, kExact),
              figure("ORuns", 0, "StandardError", r$sd), figure("ORuns", 0, "StandardizedTestStatistic", r$z),
              figure("ORuns", 0, "AsymptoticSig2Tailed", r$p))
  if (!is.null(cut)) out <- c(out, list(figure("ORuns", 0, "TestValue", cut)))
  do.call(rbind, out)
}

wilcoxon_figures <- function(x, mu) {
  d <- x - mu
  nz <- d[d != 0]
  n <- length(nz)
  out <- list(figure("OWilcoxonSignedRanks", 0, "TotalN", length(x), kExact),
              figure("OWilcoxonSignedRanks", 0, "ObservedMedian", median(x), kExact))
  if (n == 0)
    return(do.call(rbind, c(out, list(figure("OWilcoxonSignedRanks", 0, "AsymptoticSig2Tailed", NA)))))
  test <- suppressWarnings(wilcox.test(x, mu = mu, exact = FALSE, correct = FALSE))
  ties <- table(rank(abs(nz)))  # exact ties, as wilcox.test finds them
  se <- sqrt(n * (n + 1) * (2 * n + 1) / 24 - sum(ties^3 - ties) / 48)
  out <- c(out, list(
    figure("OWilcoxonSignedRanks", 0, "TestStatistic", test$statistic, kExact),
    figure("OWilcoxonSignedRanks", 0, "StandardError", se),
    figure("OWilcoxonSignedRanks", 0, "StandardizedTestStatistic", (test$statistic - n * (n + 1) / 4) / se),
    figure("OWilcoxonSignedRanks", 0, "AsymptoticSig2Tailed", test$p.value)))
  if (any(d == 0)) out <- c(out, list(figure("OWilcoxonSignedRanks", 0, "code", 222301, kExact)))
  do.call(rbind, out)
}

# One K-S test (`occurrence` among the document's K-S records) and its simulated companion.
ks_figures <- function(x, family, params, from_sample, occurrence, lilliefors) {
  n <- length(x)
  k <- "OKolmogorovSmirnov"
  valid <- n > 0 && all(is.finite(params)) &&
    (if (family == "uniform") params[2] > params[1] else params[length(params)] > 0)
  out <- list(figure(k, occurrence, "TotalN", n, kExact))
  if (!valid) {
    out <- c(out, list(figure(k, occurrence, "TestStatistic", NA)))
    if (!is.null(lilliefors))
      out <- c(out, list(figure("OLilliefors", lilliefors, "AsymptoticSig2Tailed", NA)))
    return(do.call(rbind, out))
  }
  cdf <- switch(family, normal = function(q) pnorm(q, params[1], params[2]),
                uniform = function(q) punif(q, params[1], params[2]),
                exponential = function(q) pexp(q, 1 / params[1]),
                poisson = function(q) ppois(q, params[1]))
  if (family == "poisson") {
    diffs <- ks_discrete(x, cdf)
  } else {
    diffs <- c(positive = suppressWarnings(ks.test(x, cdf, alternative = "greater"))$statistic[[1]],
               negative = suppressWarnings(ks.test(x, cdf, alternative = "less"))$statistic[[1]])
  }
  d <- max(diffs)
  sig <- kolmogorov_upper(sqrt(n) * d)
  if (from_sample && family == "normal") {
    sig <- if (n < 5) NA else lilliefors_dw(d, n)
    if (n >= 5) {
      lt <- lillie.test(x)
      stopifnot(abs(lt$statistic - d) < 1e-12)
      if (lt$p.value <= 0.1 && sig < 0.2)
        out <- c(out, list(figure(k, occurrence, "AsymptoticSig2Tailed", lt$p.value)))
    }
  }
  out <- c(out, list(
    figure(k, occurrence, "MostExtremeDifferences/Absolute", d),
    figure(k, occurrence, "MostExtremeDifferences/Positive", diffs[["positive"]]),
    figure(k, occurrence, "MostExtremeDifferences/Negative", -diffs[["negative"]]),
    figure(k, occurrence, "TestStatistic", sqrt(n) * d),
    figure(k, occurrence, "AsymptoticSig2Tailed", sig)))
  if (from_sample)
    for (i in seq_along(params)) out <- c(out, list(figure(k, occurrence, paste0("%", i), params[i])))
  if (!is.null(lilliefors)) {
    if (n < 2) {
      out <- c(out, list(figure("OLilliefors", lilliefors, "AsymptoticSig2Tailed", NA)))
    } else {
      p <- mean(simulated_d(family, n, kSimulations) >= d * (1 - 1e-10))
      widen <- 3 * sqrt(max(p * (1 - p), 1 / kSimulations) / kSimulations)
      out <- c(out, list(figure("OLilliefors", lilliefors, "AsymptoticSig2Tailed", p, -widen)))
    }
  }
  do.call(rbind, out)
}

# The field record: R's hist() bins (Sturges, pretty breaks) with their counts and midpoints,
# and the descriptive statistics; or the categories' counts.
field_figures <- function(xr, nominal) {
  if (nominal) {
    counts <- as.vector(table(xr))
    return(do.call(rbind, c(list(figure("FieldInfo", 0, "TotalN", length(xr), kExact)),
                            lapply(seq_along(counts), function(i)
                              figure("FieldInfo", 0, sprintf("Row0:%d", i - 1), counts[i], kExact)))))
  }
  out <- list(figure("FieldInfo", 0, "TotalN", length(xr), kExact))
  if (length(xr)) {
    h <- hist(xr, plot = FALSE)
    out <- c(out, list(figure("FieldInfo", 0, "Mean", mean(xr)),
                       figure("FieldInfo", 0, "StdDev", if (length(xr) > 1) sd(xr) else NA),
                       figure("FieldInfo", 0, "Min", min(xr), kExact),
                       figure("FieldInfo", 0, "Max", max(xr), kExact),
                       figure("FieldInfo", 0, "Columns", length(h$counts), kExact)),
             lapply(seq_along(h$counts), function(i)
               figure("FieldInfo", 0, sprintf("Row0:%d", i - 1), h$counts[i], kExact)),
             lapply(seq_along(h$mids), function(i)
               figure("FieldInfo", 0, sprintf("Row1:%d", i - 1), h$mids[i])))
  }
  do.call(rbind, out)
}

# ---------------------------------------------------------------------------------------------
# The data sets

fmt <- function(v) ifelse(is.na(v), "", trimws(formatC(v, digits = 17, format = "g")))

# A data set: a field x (continuous, or categorical codes), optional weights, a command, and R's
# figures computed on the cases written out by their weights.
continuous_set <- function(id, x, w, seed, options) {
  valid <- !is.na(x)
  xr <- rep(x[valid], if (is.null(w)) 1 else w[valid])
  level <- options$level
  cut <- if (options$midpoint) (min(xr) + max(xr)) / 2 else options$cutpoint
  runs_cut <- switch(options$runs, median = median(xr), mean = mean(xr), value = options$runs_value)
  families <- c("normal", "uniform", "exponential", "poisson")
  ks <- NULL; parts <- character(0); lill <- 0
  for (family in families) {
    spec <- options$ks[[family]]
    if (is.null(spec)) next
    from_sample <- identical(spec, "sample")
    params <- if (!from_sample) spec else switch(
      family, normal = c(mean(xr), if (length(xr) > 1) sd(xr) else NA),
      uniform = c(min(xr), max(xr)), mean(xr))
    simulate <- from_sample && family != "poisson" && length(xr) <= 300
    if (from_sample && family %in% c("uniform", "exponential") && !simulate) next
    parts <- c(parts, if (from_sample && !simulate && family == "normal") "NORMAL(SAMPLE=FALSE)"
               else if (from_sample) sprintf("%s=SAMPLE", toupper(family)) else
      switch(family, normal = sprintf("NORMAL=CUSTOM(MEAN=%s SD=%s)", fmt(spec[1]), fmt(spec[2])),
             uniform = sprintf("UNIFORM=CUSTOM(MIN=%s MAX=%s)", fmt(spec[1]), fmt(spec[2])),
             sprintf("%s=CUSTOM(MEAN=%s)", toupper(family), fmt(spec[1]))))
    ks <- rbind(ks, ks_figures(xr, family, params, from_sample, length(unique(ks$occurrence[ks$algorithm == "OKolmogorovSmirnov"])),
                               if (simulate) lill else NULL))
    if (simulate) lill <- lill + 1
  }
  command <- sprintf(paste0(
    "NPTESTS /ONESAMPLE TEST(x) BINOMIAL(TESTVALUE=%s SUCCESSCONTINUOUS=%s CLOPPER_PEARSON ",
    "JEFFREYS LIKELIHOOD) RUNS(GROUPCONTINUOUS=CUTPOINT(%s)) WILCOXON(TESTVALUE=%s)%s ",
    "/CRITERIA CILEVEL=%s."),
    fmt(options$p), if (options$midpoint) "MIDPOINT" else sprintf("CUTPOINT(%s)", fmt(cut)),
    switch(options$runs, median = "MEDIAN", mean = "MEAN", fmt(runs_cut)), fmt(options$mu),
    if (length(parts)) sprintf(" KOLMOGOROV_SMIRNOV(%s NSAMPLES=2000)", paste(parts, collapse = " ")) else "",
    fmt(100 * level))
  figures <- rbind(
    if (length(xr)) binomial_figures(xr <= cut, options$p, level, 0, TRUE),
    if (length(xr)) runs_figures(xr <= runs_cut, runs_cut),
    wilcoxon_figures(xr, options$mu), ks, field_figures(xr, FALSE))
  list(id = id, seed = seed, x = x, w = w, nominal = FALSE, command = command, figures = figures)
}

categorical_set <- function(id, x, w, seed, options) {
  # A user-missing value is in the data file but counts in no test (USERMISSING=EXCLUDE).
  written <- x
  if (!is.null(options$missing)) x[x %in% options$missing] <- NA
  valid <- !is.na(x)
  xr <- rep(x[valid], if (is.null(w)) 1 else w[valid])
  cats <- sort(unique(xr))
  level <- options$level
  # Chi-square over the observed categories, or the listed ones with their frequencies.
  if (is.null(options$chi)) {
    tested <- cats; shares <- rep(1, length(cats)); chi <- "CHISQUARE"
  } else {
    tested <- options$chi$categories; shares <- options$chi$frequencies
    chi <- sprintf("CHISQUARE(EXPECTED=CUSTOM(FREQUENCIES=%s CATEGORIES=%s))",
                   paste(fmt(shares), collapse = " "), paste(fmt(tested), collapse = " "))
  }
  observed <- sapply(tested, function(v) sum(xr == v))
  k <- "OChiSquare"
  figures <- list(figure(k, 0, "TotalN", sum(observed), kExact))
  if (length(tested) >= 2 && sum(observed) > 0) {
    test <- suppressWarnings(chisq.test(observed, p = shares / sum(shares)))
    figures <- c(figures, list(figure(k, 0, "TestStatistic", test$statistic),
                               figure(k, 0, "DegreeOfFreedom", test$parameter, kExact),
                               figure(k, 0, "AsymptoticSig2Tailed", test$p.value)))
  } else {
    figures <- c(figures, list(figure(k, 0, "AsymptoticSig2Tailed", NA)))
  }
  success <- if (is.null(options$success)) xr == min(cats) else xr %in% options$success
  first <- if (is.null(options$group)) cats[1] else options$group
  second <- if (is.null(options$group)) cats[2] else setdiff(cats, options$group)
  in_runs <- xr %in% c(first, second)
  command <- sprintf(paste0(
    "NPTESTS /ONESAMPLE TEST(x) %s BINOMIAL(TESTVALUE=%s SUCCESSCATEGORICAL=%s CLOPPER_PEARSON ",
    "JEFFREYS LIKELIHOOD) RUNS(GROUPCATEGORICAL=%s) /CRITERIA CILEVEL=%s."),
    chi, fmt(options$p),
    if (is.null(options$success)) "FIRST" else sprintf("LIST(%s)", paste(fmt(options$success), collapse = " ")),
    if (is.null(options$group)) "SAMPLE" else sprintf("LIST(%s)", paste(fmt(options$group), collapse = " ")),
    fmt(100 * level))
  figures <- rbind(do.call(rbind, figures),
                   if (length(xr)) binomial_figures(success, options$p, level, 0, TRUE),
                   if (length(xr)) runs_figures(xr[in_runs] %in% first),
                   field_figures(xr, TRUE))
  list(id = id, seed = seed, x = written, w = w, nominal = TRUE, command = command,
       figures = figures, texts = isTRUE(options$texts), missing = options$missing)
}

random_sets <- function(count, largest) {
  set.seed(20261207)
  sizes <- c(1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 20, 25, 30, 40, 50, 75, 100, 150, 250, 600, 2000,
             10000)
  sizes <- sizes[sizes <= largest]
  lapply(seq_len(count), function(i) {
    n <- sizes[(i - 1) %% length(sizes) + 1]
    seed <- 1000 + i
    w <- if (i %% 5 == 0) sample(1:3, n, replace = TRUE) else NULL
    if (i %% 3 == 0) {
      # Categorical codes, sometimes a single category.
      k <- if (i %% 7 == 0) 1 else sample(2:4, 1)
      x <- sample(seq_len(k), n, replace = TRUE, prob = seq_len(k))
      if (i %% 4 == 0 && n > 3) x[sample(n, 2)] <- NA
      cats <- sort(unique(x[!is.na(x)]))
      options <- list(p = c(0.5, 0.3, 0.8)[i %% 3 + 1], level = c(0.95, 0.9, 0.99)[i %% 3 + 1])
      if (i %% 2 == 0) options$chi <- list(categories = seq_len(k + 1), frequencies = seq_len(k + 1))
      if (i %% 4 == 3) options$success <- cats[length(cats)]
      if (i %% 4 == 1 && length(cats) > 2) options$group <- cats[c(1, 3)]
      # Every third categorical set declares its last category user-missing; of those, every
      # other one holds texts (a to d, in the codes' order) and names no value in its command.
      if (i %% 9 == 0 && length(cats) > 1) options$missing <- cats[length(cats)]
      if (i %% 18 == 0) {
        options$texts <- TRUE
        options$chi <- options$success <- options$group <- NULL
      }
      return(categorical_set(sprintf("random%03d", i), x, w, seed, options))
    }
    shape <- i %% 6
    x <- signif(switch(shape + 1,
                rnorm(n, 50, 10),
                round(rnorm(n, 5, 2)),                       # ties and zero differences
                rexp(n, 1 / 3),
                rep(4, n),                                    # all cases equal
                rpois(n, 3),
                runif(n, -2, 7)), 7)
    if (i %% 4 == 0 && n > 3) x[sample(n, 2)] <- NA
    xs <- x[!is.na(x)]
    ks <- list(
      normal = if (i %% 2) "sample" else c(mean(xs) + 0.5, 2 + sd(c(xs, 0, 1))),
      uniform = if (i %% 4 == 1) "sample" else c(min(c(xs, 0)) - 1, max(c(xs, 0)) + 1),
      exponential = if (i %% 4 == 3) "sample" else c(3),
      poisson = if (shape == 4) c(3) else NULL)
    options <- list(p = c(0.5, 0.25, 0.6)[i %% 3 + 1], level = c(0.95, 0.9, 0.99)[i %% 3 + 1],
                    midpoint = i %% 2 == 0, cutpoint = round(median(xs)),
                    runs = c("median", "mean", "value")[i %% 3 + 1], runs_value = round(mean(xs)),
                    mu = if (shape == 1) 5 else round(median(xs), 1), ks = ks)
    continuous_set(sprintf("random%03d", i), x, w, seed, options)
  })
}

# Date sets: days in one season, with ties, missing days and weights; the tests that take a date
# field's values as they are (the runs about the median, Kolmogorov-Smirnov with the sample's
# parameters, the field record).
date_sets <- function(count) {
  set.seed(1973)
  lapply(seq_len(count), function(i) {
    n <- c(3, 8, 16, 40, 120, 500)[(i - 1) %% 6 + 1]
    x <- 1200 + sample(0:(20 * i), n, replace = TRUE)
    if (i %% 3 == 0 && n > 3) x[sample(n, 2)] <- NA
    w <- if (i %% 4 == 0) sample(1:3, n, replace = TRUE) else NULL
    valid <- !is.na(x)
    xr <- rep(x[valid], if (is.null(w)) 1 else w[valid])
    simulate <- length(xr) <= 300
    figures <- rbind(runs_figures(xr <= median(xr), median(xr)),
                     ks_figures(xr, "normal", c(mean(xr), sd(xr)), TRUE, 0, NULL),
                     if (simulate) ks_figures(xr, "uniform", c(min(xr), max(xr)), TRUE, 1, 0),
                     field_figures(xr, FALSE))
    command <- sprintf(paste0("NPTESTS /ONESAMPLE TEST(x) RUNS(GROUPCONTINUOUS=CUTPOINT(MEDIAN)) ",
                              "KOLMOGOROV_SMIRNOV(NORMAL(SAMPLE=FALSE)%s NSAMPLES=2000) /CRITERIA CILEVEL=95."),
                       if (simulate) " UNIFORM=SAMPLE" else "")
    list(id = sprintf("dates%02d", i), seed = 3000 + i, x = x, w = w, nominal = FALSE, dates = TRUE,
         command = command, figures = figures)
  })
}

bundled_sets <- function() {
  data <- function(name) read.csv(file.path(root, "examples", "data", paste0(name, ".csv")))
  morley <- data("morley")$Speed
  mtcars <- data("mtcars")
  trees <- data("trees")$Height
  ozone <- data("airquality")$Ozone
  plants <- data("PlantGrowth")
  full <- list(normal = "sample")
  list(
    continuous_set("morley", morley, NULL, 2000000,
                   list(p = 0.5, level = 0.95, midpoint = TRUE, runs = "median", mu = 792.458, ks = full)),
    continuous_set("mtcars_mpg", mtcars$mpg, NULL, 2000000,
                   list(p = 0.5, level = 0.95, midpoint = FALSE, cutpoint = 20, runs = "mean", mu = 20,
                        ks = full)),
    categorical_set("mtcars_am", mtcars$am, NULL, 2000000, list(p = 0.5, level = 0.95)),
    categorical_set("mtcars_cyl", mtcars$cyl, NULL, 2000000,
                    list(p = 0.4, level = 0.95, success = c(4, 8), group = 6,
                         chi = list(categories = c(4, 6, 8), frequencies = c(1, 1, 2)))),
    continuous_set("trees_height", trees, NULL, 2000000,
                   list(p = 0.5, level = 0.95, midpoint = TRUE, runs = "median", mu = 75,
                        ks = list(normal = c(75, 6), uniform = c(60, 90), exponential = 75, poisson = 75))),
    continuous_set("airquality_ozone", ozone, NULL, 2000000,
                   list(p = 0.5, level = 0.95, midpoint = TRUE, runs = "median", mu = 30,
                        ks = list(uniform = "sample", exponential = "sample"))),
    continuous_set("plantgrowth_ctrl", plants$weight[plants$group == "ctrl"], NULL, 2000000,
                   list(p = 0.5, level = 0.95, midpoint = TRUE, runs = "median", mu = 5, ks = full)))
}

dictionary_of <- function(set) {
  missing <- if (is.null(set$missing)) ""
             else if (isTRUE(set$texts)) sprintf(', "missing": {"values": ["%s"]}', letters[set$missing])
             else sprintf(', "missing": {"values": [%s]}', fmt(set$missing))
  sprintf('{"variables": [{"name": "x", "measure": "%s"%s%s}%s]%s}',
          if (set$nominal) "nominal" else "scale",
          if (isTRUE(set$texts)) ', "type": "string", "width": 1' else "", missing,
          if (is.null(set$w)) "" else ', {"name": "w", "measure": "scale"}',
          if (is.null(set$w)) "" else ', "weight": "w"')
}

csv_of <- function(set) {
  # A date set's days from 1 January 1970 are written as ISO dates, which the data reader reads
  # as dates and the documents hold as those days again.
  text <- if (isTRUE(set$dates)) ifelse(is.na(set$x), "", format(as.Date(set$x, origin = "1970-01-01")))
          else if (isTRUE(set$texts)) ifelse(is.na(set$x), "", letters[set$x])
          else fmt(set$x)
  rows <- if (is.null(set$w)) text else paste(text, set$w, sep = ",")
  paste(c(if (is.null(set$w)) "x" else "x,w", rows), collapse = "|")
}

reference <- option("--reference")
# The reference table keeps to data sets small enough to be read inline.
sets <- c(bundled_sets(), random_sets(as.integer(option("--sets", "240")),
                                      if (is.null(reference)) 10000 else 600),
          if (is.null(reference)) date_sets(12))

# ---------------------------------------------------------------------------------------------
# The reference table of the C++ test

if (!is.null(reference)) {
  lines <- character(0)
  for (set in sets) {
    lines <- c(lines, paste("data", set$id, set$seed, csv_of(set), dictionary_of(set), set$command, sep = "\t"))
    f <- set$figures
    lines <- c(lines, paste("figure", set$id, f$algorithm, f$occurrence, f$attribute,
                            fmt(f$value), trimws(formatC(f$tolerance, digits = 6, format = "g")), sep = "\t"))
  }
  writeLines(lines, reference)
  cat(sprintf("%d data sets, %d figures -> %s\n", length(sets),
              sum(sapply(sets, function(s) nrow(s$figures))), reference))
  quit(status = 0)
}

# ---------------------------------------------------------------------------------------------
# Through the program: one CSV split by data set, one document per set

nptests <- option("--nptests", file.path(root, "build", "app", "nptests"))
work <- tempfile("onesample")
dir.create(work)
failures <- 0
for (set in sets) {
  # One call per command; the sets of one command share a CSV with a split column.
  dir <- file.path(work, set$id)
  dir.create(dir)
  csv <- file.path(dir, "data.csv")
  writeLines(gsub("|", "\n", csv_of(set), fixed = TRUE), csv)
  writeLines(dictionary_of(set), file.path(dir, "dictionary.json"))
  writeLines(sub("/CRITERIA ", sprintf("/CRITERIA SEED=%d ", set$seed), set$command, fixed = TRUE),
             file.path(dir, "command.sps"))
  status <- system2(nptests, c("--data", csv, "--dictionary", file.path(dir, "dictionary.json"),
                               "--syntax-file", file.path(dir, "command.sps"),
                               "--save-results", dir), stdout = FALSE, stderr = FALSE)
  documents <- list.files(dir, pattern = "\\.xml$", full.names = TRUE)
  if (status != 0 || length(documents) != 1) {
    cat(sprintf("FAIL %s: nptests exited %d with %d documents\n", set$id, status, length(documents)))
    failures <- failures + 1
    next
  }
  text <- paste(readLines(documents[1], warn = FALSE), collapse = "\n")
  records <- regmatches(text, gregexpr("(?s)<Algorithm name=\"[^\"]+\".*?</Algorithm>", text, perl = TRUE))[[1]]
  names(records) <- sub("^<Algorithm name=\"([^\"]+)\".*$", "\\1", sub("(?s)\n.*", "", records, perl = TRUE))
  infos <- regmatches(text, gregexpr("(?s)<FieldInfo .*?</FieldInfo>", text, perl = TRUE))[[1]]
  records <- c(records, setNames(infos, rep("FieldInfo", length(infos))))
  value_of <- function(record, attribute) {
    if (attribute == "Columns")
      return(length(strsplit(sub("(?s).*?<ColumnNames>([^<]*)<.*", "\\1", record, perl = TRUE), " ")[[1]]))
    if (grepl("^Row", attribute)) {
      rows <- regmatches(record, gregexpr("<Row>[^<]*</Row>", record))[[1]]
      at <- as.integer(strsplit(sub("^Row", "", attribute), ":")[[1]])
      if (at[1] >= length(rows)) return(NA)
      numbers <- as.numeric(strsplit(gsub("</?Row>", "", rows[at[1] + 1]), " ")[[1]])
      return(if (at[2] < length(numbers)) numbers[at[2] + 1] else NA)
    }
    table <- sub("/.*", "", attribute)
    if (grepl("/", attribute))
      record <- sub(paste0("(?s)^.*?name=\"", table, "\""), "", record, perl = TRUE)
    name <- sub(".*/", "", attribute)
    m <- regmatches(record, regexpr(paste0("<Attribute name=\"", name, "\" value=\"[^\"]*\""), record))
    if (!length(m)) return(NA)
    v <- sub("^&gt;", "", sub(".*value=\"([^\"]*)\"$", "\\1", m))  # ">0.2": a lower bound
    if (v == "__MISSING__") NA else as.numeric(v)
  }
  f <- set$figures
  for (r in seq_len(nrow(f))) {
    same <- records[names(records) == f$algorithm[r]]
    record <- if (f$occurrence[r] < length(same)) same[[f$occurrence[r] + 1]] else ""
    engine <- value_of(record, f$attribute[r])
    expected <- f$value[r]; tol <- f$tolerance[r]
    ok <- if (tol == 0) is.na(engine) else if (tol < 0) {
      expected >= value_of(record, "ConfidenceIntervalLowerBound") + tol &&
        expected <= value_of(record, "ConfidenceIntervalUpperBound") - tol
    } else !is.na(engine) && abs(engine - expected) <= tol * abs(expected) + 1e-15
    if (!isTRUE(ok)) {
      cat(sprintf("FAIL %s %s[%d] %s: engine %s, R %s\n", set$id, f$algorithm[r], f$occurrence[r],
                  f$attribute[r], fmt(engine), fmt(expected)))
      failures <- failures + 1
    }
  }
}
unlink(work, recursive = TRUE)
cat(sprintf("%d data sets, %d failures\n", length(sets), failures))
quit(status = if (failures) 1 else 0)
