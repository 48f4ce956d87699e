# Recomputes the statistics of the example result documents (examples/*.xml) with R from the data
# sets in examples/data, and fails when a figure of a document differs from R's beyond rounding.
# The examples are written by the engine (scripts/make-examples.R); this is a second opinion on them.
# Then it runs nptests on every example and recomputes each effect size and interval the report
# shows with the effectsize and rstatix packages (docs/effect-sizes.md).
# Usage: Rscript scripts/check-examples.R [EXAMPLES_DIR [NPTESTS]]
#        (needs r-base-core, r-cran-coin, r-cran-effectsize, r-cran-rstatix, r-cran-jsonlite; NPTESTS
#        defaults to build/bin/nptests)
suppressPackageStartupMessages({
  library(coin)
  library(effectsize)
  library(rstatix)
})

args <- commandArgs(trailingOnly = TRUE)
script_dir <- local({
  file_arg <- grep("^--file=", commandArgs(FALSE), value = TRUE)
  if (length(file_arg) == 1) dirname(sub("^--file=", "", file_arg)) else "scripts"
})
examples <- if (length(args) >= 1) args[1] else file.path(script_dir, "..", "examples")
nptests <- if (length(args) >= 2) args[2] else file.path(script_dir, "..", "build", "bin", "nptests")

failures <- 0
checked <- 0

# --- Reading a document -------------------------------------------------------------------------
# The documents have one element per line; an algorithm's attributes are kept by their path of
# structured-table names ("StatisticsResult/MostExtremeDifferences/Absolute").
read_algorithms <- function(path) {
  lines <- readLines(path, warn = FALSE)
  algorithms <- list()
  current <- NULL
  stack <- character(0)
  attr_of <- function(line, name) {
    m <- regmatches(line, regexec(paste0(name, '="([^"]*)"'), line))[[1]]
    if (length(m) != 2) return(NA_character_)
    value <- gsub("&lt;", "<", gsub("&gt;", ">", gsub("&quot;", "\"", m[2], fixed = TRUE),
                                      fixed = TRUE), fixed = TRUE)
    gsub("&amp;", "&", value, fixed = TRUE)
  }
  for (line in lines) {
    if (grepl("<Algorithm ", line, fixed = TRUE)) {
      current <- list(name = attr_of(line, "name"), values = character(0))
      stack <- character(0)
    } else if (grepl("</Algorithm>", line, fixed = TRUE)) {
      algorithms[[length(algorithms) + 1]] <- current
      current <- NULL
    } else if (!is.null(current)) {
      if (grepl("<StructuredTable ", line, fixed = TRUE)) {
        stack <- c(stack, attr_of(line, "name"))
      } else if (grepl("</StructuredTable>", line, fixed = TRUE)) {
        stack <- head(stack, -1)
      } else if (grepl("<Attribute ", line, fixed = TRUE)) {
        key <- paste(c(stack, attr_of(line, "name")), collapse = "/")
        current$values[key] <- attr_of(line, "value")
      }
    }
  }
  algorithms
}

# --- Comparing ----------------------------------------------------------------------------------
# A figure agrees when it matches to 1e-6 relative (the documents keep full precision; the report
# shows three decimals). Monte Carlo figures get their own, wider check.
agree <- function(written, expected, tolerance = 1e-6) {
  abs(written - expected) <= tolerance * max(1, abs(expected))
}

expect <- function(where, algorithm, key, expected, tolerance = 1e-6) {
  checked <<- checked + 1
  written <- algorithm$values[key]
  if (is.na(written)) {
    cat(sprintf("FAIL %s: %s %s is missing (R: %.10g)\n", where, algorithm$name, key, expected))
    failures <<- failures + 1
    return(invisible())
  }
  value <- suppressWarnings(as.numeric(written))
  if (is.na(value) || !agree(value, expected, tolerance)) {
    cat(sprintf("FAIL %s: %s %s is %s, R gives %.10g\n", where, algorithm$name, key, written,
                expected))
    failures <<- failures + 1
  }
}

expect_text <- function(where, algorithm, key, expected) {
  checked <<- checked + 1
  written <- algorithm$values[key]
  if (is.na(written) || written != expected) {
    cat(sprintf("FAIL %s: %s %s is %s, expected %s\n", where, algorithm$name, key, written,
                expected))
    failures <<- failures + 1
  }
}

expect_all <- function(where, algorithm, figures, prefix = "StatisticsResult/") {
  for (name in names(figures)) expect(where, algorithm, paste0(prefix, name), figures[[name]])
}

# The algorithms of a document with the given name, in document order.
pick <- function(algorithms, name) Filter(function(a) a$name == name, algorithms)

data_set <- function(name) read.csv(file.path(examples, "data", paste0(name, ".csv")))

# --- The tests, each with R's own functions where base R or coin has the test -------------------
two_sided <- function(z) 2 * pnorm(-abs(z))

check_chisquare <- function(where, a, x) {
  t <- suppressWarnings(chisq.test(table(x)))
  expect_all(where, a, list(TotalN = length(x), TestStatistic = unname(t$statistic),
                            DegreeOfFreedom = unname(t$parameter),
                            AsymptoticSig2Tailed = t$p.value))
}

check_binomial <- function(where, test, interval, successes, n) {
  t <- binom.test(successes, n, 0.5)
  se <- sqrt(n * 0.25)
  expect_all(where, test, list(TotalN = n, TestStatistic = successes, StandardError = se,
                               StandardizedTestStatistic = (successes - n / 2) / se,
                               ExactSig2Tailed = t$p.value))
  p_hat <- successes / n
  crit <- qchisq(0.95, 1)
  loglik <- function(p) successes * log(p) + (n - successes) * log(1 - p)
  gap <- function(p) 2 * (loglik(p_hat) - loglik(p)) - crit
  lr <- c(uniroot(gap, c(1e-12, p_hat), tol = 1e-14)$root,
          uniroot(gap, c(p_hat, 1 - 1e-12), tol = 1e-14)$root)
  intervals <- list(ClopperPearson = t$conf.int,
                    Jeffreys = qbeta(c(0.025, 0.975), successes + 0.5, n - successes + 0.5),
                    ProfileLikelihood = lr)
  for (method in names(intervals)) {
    expect(where, interval, paste0(method, "/Estimate"), p_hat)
    expect(where, interval, paste0(method, "/Interval/Lower"), intervals[[method]][1])
    expect(where, interval, paste0(method, "/Interval/Upper"), intervals[[method]][2])
  }
}

# Runs about a cut point: at or below the cut against above it, as the hypothesis reads.
check_runs <- function(where, a, x, cut) {
  above <- x > cut
  n1 <- sum(!above)
  n2 <- sum(above)
  n <- n1 + n2
  runs <- length(rle(above)$lengths)
  mean <- 2 * n1 * n2 / n + 1
  sd <- sqrt(2 * n1 * n2 * (2 * n1 * n2 - n) / (n^2 * (n - 1)))
  expect_all(where, a, list(TotalN = n, TestValue = cut, TestStatistic = runs, StandardError = sd,
                            StandardizedTestStatistic = (runs - mean) / sd,
                            AsymptoticSig2Tailed = two_sided((runs - mean) / sd)))
}

# Wilcoxon signed ranks of the differences d: R's statistic V is the sum of positive ranks and its
# normal approximation (no continuity correction) carries the tie correction.
check_signed_ranks <- function(where, a, d) {
  t <- wilcox.test(d, exact = FALSE, correct = FALSE)
  nz <- d[d != 0]
  n <- length(nz)
  ties <- table(rank(abs(nz)))
  se <- sqrt(n * (n + 1) * (2 * n + 1) / 24 - sum(ties^3 - ties) / 48)
  z <- (unname(t$statistic) - n * (n + 1) / 4) / se
  expect_all(where, a, list(TotalN = length(d), TestStatistic = unname(t$statistic),
                            StandardError = se, StandardizedTestStatistic = z,
                            AsymptoticSig2Tailed = t$p.value))
}

# Lilliefors's significance of the normal K-S test with sample mean and SD: Dallal and Wilkinson's
# approximation, or "> 0.2" below the 20% critical value of Lilliefors's table.
lilliefors_sig <- function(d, n) {
  table20 <- c(`4` = .300, `5` = .285, `6` = .265, `7` = .247, `8` = .233, `9` = .223,
               `10` = .215, `11` = .206, `12` = .199, `13` = .190, `14` = .183, `15` = .177,
               `16` = .173, `17` = .169, `18` = .166, `19` = .163, `20` = .160, `25` = .142,
               `30` = .131)
  crit <- if (as.character(n) %in% names(table20)) table20[[as.character(n)]] else 0.736 / sqrt(n)
  if (d < crit) return(NA)
  if (n > 100) {
    d <- d * (n / 100)^0.49
    n <- 100
  }
  p <- exp(-7.01256 * d^2 * (n + 2.78019) + 2.99587 * d * sqrt(n + 2.78019) - 0.122119 +
           0.974598 / sqrt(n) + 1.67997 / n)
  min(p, 0.2)
}

ks_cdf <- function(dist, params) {
  switch(dist,
         normal = function(q) pnorm(q, params[1], params[2]),
         uniform = function(q) punif(q, params[1], params[2]),
         exponential = function(q) pexp(q, 1 / params[1]),
         poisson = function(q) ppois(q, params[1]))
}

# One-sample K-S: D and its sides from ks.test (for the Poisson, whose distribution function is a
# step function, over the integers 0..max(x)); Z = sqrt(n) D; the significance is Kolmogorov's
# limit, or Lilliefors's for the normal with sample parameters.
check_ks <- function(where, a, x, dist, params, sample) {
  n <- length(x)
  f <- ks_cdf(dist, params)
  if (dist == "poisson") {
    grid <- 0:max(x)
    diff <- ecdf(x)(grid) - f(grid)
    d_plus <- max(diff, 0)
    d_minus <- max(-diff, 0)
  } else {
    # R's "greater" statistic is max(Fn - F), the positive difference.
    d_plus <- unname(suppressWarnings(ks.test(x, f, alternative = "greater",
                                              exact = FALSE))$statistic)
    d_minus <- unname(suppressWarnings(ks.test(x, f, alternative = "less", exact = FALSE))$statistic)
  }
  d <- max(d_plus, d_minus)
  z <- sqrt(n) * d
  expect_all(where, a, list(TotalN = n, `MostExtremeDifferences/Absolute` = d,
                            `MostExtremeDifferences/Positive` = d_plus,
                            `MostExtremeDifferences/Negative` = -d_minus, TestStatistic = z))
  if (sample && dist == "normal") {
    sig <- lilliefors_sig(d, n)
    if (is.na(sig))
      expect_text(where, a, "StatisticsResult/AsymptoticSig2Tailed", ">0.2")
    else
      expect(where, a, "StatisticsResult/AsymptoticSig2Tailed", sig)
  } else {
    # Kolmogorov's limiting distribution.
    kolmogorov <- function(z) {
      if (z <= 0) return(1)
      k <- 1:100
      min(1, max(0, 2 * sum((-1)^(k - 1) * exp(-2 * k^2 * z^2))))
    }
    expect(where, a, "StatisticsResult/AsymptoticSig2Tailed", kolmogorov(z))
  }
  d
}

# The simulated companion: R draws its own samples from the fitted distribution; the document's
# Monte Carlo significance must lie within four standard errors of the difference of the two.
check_simulation <- function(where, a, x, dist, d_obs) {
  set.seed(1)
  n <- length(x)
  samples <- 10000
  fitted_d <- function(s) {
    s <- sort(s)
    f <- switch(dist,
                normal = pnorm(s, mean(s), sd(s)),
                uniform = (s - s[1]) / (s[n] - s[1]),
                exponential = pexp(s, 1 / mean(s)))
    i <- seq_len(n)
    max(i / n - f, f - (i - 1) / n)
  }
  draw <- switch(dist,
                 normal = function() rnorm(n, mean(x), sd(x)),
                 uniform = function() runif(n, min(x), max(x)),
                 exponential = function() rexp(n, 1 / mean(x)))
  p_r <- mean(replicate(samples, fitted_d(draw())) >= d_obs - 1e-12)
  written <- as.numeric(a$values["StatisticsResult/AsymptoticSig2Tailed"])
  lower <- as.numeric(a$values["StatisticsResult/ConfidenceIntervalLowerBound"])
  upper <- as.numeric(a$values["StatisticsResult/ConfidenceIntervalUpperBound"])
  checked <<- checked + 1
  se <- sqrt(max(p_r * (1 - p_r), written * (1 - written), 1 / samples) * 2 / samples)
  if (is.na(written) || abs(written - p_r) > 4 * se || !(lower <= written && written <= upper)) {
    cat(sprintf("FAIL %s: %s Monte Carlo significance %s [%s, %s], R's simulation gives %.4f\n",
                where, a$name, written, lower, upper, p_r))
    failures <<- failures + 1
  }
}

sample_params <- function(dist, x) {
  switch(dist, normal = c(mean(x), sd(x)), uniform = c(min(x), max(x)), exponential = mean(x))
}

# --- The examples -------------------------------------------------------------------------------
check_mtcars <- function(where, algorithms) {
  cars <- data_set("mtcars")
  check_chisquare(where, pick(algorithms, "OChiSquare")[[1]], cars$am)
  tests <- pick(algorithms, "OBinomial")
  intervals <- pick(algorithms, "OEstimateConfidenceInterval")
  check_binomial(where, tests[[1]], intervals[[1]], sum(cars$mpg <= 20), nrow(cars))
  check_binomial(where, tests[[2]], intervals[[2]], sum(cars$am == 0), nrow(cars))
}

check_chickwts <- function(where, algorithms) {
  chicks <- data_set("chickwts")
  check_chisquare(where, pick(algorithms, "OChiSquare")[[1]], chicks$feed)
  kw <- kruskal.test(weight ~ factor(feed), data = chicks)
  expect_all(where, pick(algorithms, "IKruskalWallis")[[1]],
             list(TotalN = nrow(chicks), TestStatistic = unname(kw$statistic),
                  DegreeOfFreedom = unname(kw$parameter), AsymptoticSig2Tailed = kw$p.value))
  check_median_test(where, pick(algorithms, "IMedian")[[1]], chicks$weight, chicks$feed)
}

# The median test: cases above the grand median against the others, by group, without Yates's
# correction for more than two groups.
check_median_test <- function(where, a, y, g) {
  t <- suppressWarnings(chisq.test(table(y > median(y), g), correct = FALSE))
  expect_all(where, a, list(TotalN = length(y), Median = median(y),
                            TestStatistic = unname(t$statistic),
                            DegreeOfFreedom = unname(t$parameter),
                            AsymptoticSig2Tailed = t$p.value))
}

check_morley <- function(where, algorithms) {
  x <- data_set("morley")$Speed
  check_runs(where, pick(algorithms, "ORuns")[[1]], x, median(x))
  check_signed_ranks(where, pick(algorithms, "OWilcoxonSignedRanks")[[1]], x - 792.458)
  d <- check_ks(where, pick(algorithms, "OKolmogorovSmirnov")[[1]], x, "normal",
                sample_params("normal", x), TRUE)
  check_simulation(where, pick(algorithms, "OLilliefors")[[1]], x, "normal", d)
}

check_trees <- function(where, algorithms) {
  x <- data_set("trees")$Height
  ks <- pick(algorithms, "OKolmogorovSmirnov")
  given <- list(list("normal", c(75, 6)), list("uniform", c(60, 90)), list("exponential", 75),
                list("poisson", 75))
  for (i in seq_along(given))
    check_ks(where, ks[[i]], x, given[[i]][[1]], given[[i]][[2]], FALSE)
}

check_ks_sample <- function(where, algorithms, x, dists) {
  ks <- pick(algorithms, "OKolmogorovSmirnov")
  lilliefors <- pick(algorithms, "OLilliefors")
  for (i in seq_along(dists)) {
    d <- check_ks(where, ks[[i]], x, dists[i], sample_params(dists[i], x), TRUE)
    check_simulation(where, lilliefors[[i]], x, dists[i], d)
  }
}

check_ozone <- function(where, algorithms) {
  ozone <- data_set("airquality")$Ozone
  check_ks_sample(where, algorithms, ozone[!is.na(ozone)], c("uniform", "exponential"))
}

check_ozone_dates <- function(where, algorithms) {
  air <- data_set("airquality")
  high <- air[!is.na(air$Ozone) & air$Ozone > 80, ]
  days <- as.numeric(as.Date(sprintf("1973-%02d-%02d", high$Month, high$Day)))
  check_ks_sample(where, algorithms, days, "uniform")
}

check_sleep <- function(where, algorithms) {
  sleep <- data_set("sleep")
  d <- sleep$drug2 - sleep$drug1
  sign <- pick(algorithms, "RSign")[[1]]
  t <- binom.test(sum(d > 0), sum(d != 0))
  expect_all(where, sign, list(TotalN = length(d), TestStatistic = sum(d > 0),
                               ExactSig2Tailed = t$p.value))
  expect_all(where, sign, list(NegativeDifferences = sum(d < 0), Ties = sum(d == 0),
                               PositiveDifferences = sum(d > 0)), "ContinuousDistribution/")
  check_signed_ranks(where, pick(algorithms, "RWilcoxonSignedRanks")[[1]], d)
  # Hodges-Lehmann: the median of the Walsh averages; the interval between the Walsh averages of
  # order C and M - C + 1, C the signed-rank statistic's lower 2.5% point for at most 50 cases
  # (Hollander and Wolfe 3.3), else its large-sample approximation.
  walsh <- sort(outer(d, d, "+")[upper.tri(outer(d, d), diag = TRUE)] / 2)
  n <- length(d)
  c <- if (n <= 50) max(1, qsignrank(0.025, n)) else
    round(n * (n + 1) / 4 - qnorm(0.975) * sqrt(n * (n + 1) * (2 * n + 1) / 24))
  expect_all(where, pick(algorithms, "RHodgesLehmannEstimatePairs")[[1]],
             list(Estimate = median(walsh),
                  `Asymptotic/ConfidenceIntervalLowerBound` = walsh[c],
                  `Asymptotic/ConfidenceIntervalUpperBound` = walsh[length(walsh) - c + 1]))
}

check_occupational <- function(where, algorithms) {
  rows <- data_set("occupationalStatus")
  t <- xtabs(Freq ~ origin + destination, data = rows)
  high <- 5:8
  low <- 1:4
  two <- matrix(c(sum(t[high, high]), sum(t[low, high]), sum(t[high, low]), sum(t[low, low])), 2)
  mc <- mcnemar.test(two, correct = TRUE)
  expect_all(where, pick(algorithms, "RMcNemar")[[1]],
             list(TotalN = sum(t), TestStatistic = unname(mc$statistic), DegreeOfFreedom = 1,
                  AsymptoticSig2Tailed = mc$p.value))
  # coin's marginal homogeneity test with the category numbers as scores.
  mh <- mh_test(as.table(t), scores = list(response = 1:8))
  a <- pick(algorithms, "RMarginalHomogeneity")[[1]]
  expect(where, a, "StatisticsResult/TotalN", sum(t))
  z <- as.numeric(a$values["StatisticsResult/StandardizedTestStatistic"])
  expect(where, a, "StatisticsResult/StandardizedTestStatistic", sign(z) * abs(statistic(mh)))
  expect(where, a, "StatisticsResult/AsymptoticSig2Tailed", pvalue(mh))
}

judges <- c("INTG", "DMNR", "DILG", "CFMG")

check_cochran <- function(where, algorithms) {
  ratings <- data_set("USJudgeRatings")
  success <- as.matrix(ratings[, judges] >= 8) * 1
  # Cochran's Q is the quadratic symmetry statistic of the 0/1 responses within the judges.
  long <- data.frame(y = factor(as.vector(success)), rating = factor(rep(judges, each = nrow(success))),
                     judge = factor(rep(seq_len(nrow(success)), times = length(judges))))
  q <- symmetry_test(y ~ rating | judge, data = long, teststat = "quadratic")
  expect_all(where, pick(algorithms, "RCochransQ")[[1]],
             list(TotalN = nrow(success), TestStatistic = unname(statistic(q)),
                  DegreeOfFreedom = length(judges) - 1, AsymptoticSig2Tailed = pvalue(q)))
}

check_friedman <- function(where, algorithms) {
  ratings <- as.matrix(data_set("USJudgeRatings")[, judges])
  f <- friedman.test(ratings)
  n <- nrow(ratings)
  k <- ncol(ratings)
  figures <- list(TotalN = n, TestStatistic = unname(f$statistic), DegreeOfFreedom = k - 1,
                  AsymptoticSig2Tailed = f$p.value)
  expect_all(where, pick(algorithms, "RFriedmansTwoWayByRanks")[[1]], figures)
  kendall <- pick(algorithms, "RKendallsCoefficient")[[1]]
  expect_all(where, kendall, figures)
  expect(where, kendall, "StatisticsResult/KendallsW", unname(f$statistic) / (n * (k - 1)))
  ranks <- t(apply(ratings, 1, rank))
  for (j in seq_len(k))
    expect(where, kendall, sprintf("VariableInformation%d/MeanOfRank", j), mean(ranks[, j]))
}

check_wool <- function(where, algorithms) {
  w <- data_set("warpbreaks")
  a_breaks <- w$breaks[w$wool == "A"]
  b_breaks <- w$breaks[w$wool == "B"]
  n1 <- length(a_breaks)
  n2 <- length(b_breaks)
  # Mann-Whitney: the U of the second group (R's W with the groups swapped) and its rank sum.
  mw <- wilcox.test(b_breaks, a_breaks, exact = FALSE, correct = FALSE)
  ranks <- rank(c(a_breaks, b_breaks))
  expect_all(where, pick(algorithms, "IMannWhitneyU")[[1]],
             list(TotalN = n1 + n2, TestStatistic = unname(mw$statistic),
                  WilcoxonW = sum(ranks[-(1:n1)]), AsymptoticSig2Tailed = mw$p.value))
  ks <- suppressWarnings(ks.test(a_breaks, b_breaks, exact = FALSE))
  # The positive difference is that of the first group's distribution function over the second's.
  d_plus <- unname(suppressWarnings(ks.test(a_breaks, b_breaks, alternative = "greater",
                                            exact = FALSE))$statistic)
  d_minus <- unname(suppressWarnings(ks.test(a_breaks, b_breaks, alternative = "less",
                                             exact = FALSE))$statistic)
  expect_all(where, pick(algorithms, "IKolmogorovSmirnov")[[1]],
             list(TotalN = n1 + n2, `MostExtremeDifferences/Absolute` = unname(ks$statistic),
                  `MostExtremeDifferences/Positive` = d_plus,
                  `MostExtremeDifferences/Negative` = -d_minus,
                  TestStatistic = unname(ks$statistic) * sqrt(n1 * n2 / (n1 + n2)),
                  AsymptoticSig2Tailed = ks$p.value))
  # Hodges-Lehmann: the median of the differences B - A.
  expect(where, pick(algorithms, "IHodgesLehmannEstimateGroups")[[1]],
         "StatisticsResult/Estimate", median(outer(b_breaks, a_breaks, "-")))
}

check_tension <- function(where, algorithms) {
  w <- data_set("warpbreaks")
  g <- as.integer(factor(w$tension, levels = c("L", "M", "H")))
  y <- w$breaks
  # Jonckheere-Terpstra: the sum over ordered pairs of groups of the Mann-Whitney counts (ties
  # half), its mean and its tie-corrected variance ([HW] section 6.2).
  jt <- 0
  for (i in 1:2) for (j in (i + 1):3)
    jt <- jt + sum(outer(y[g == i], y[g == j], function(a, b) (a < b) + 0.5 * (a == b)))
  n <- length(y)
  sizes <- tabulate(g)
  ties <- table(y)
  mean <- (n^2 - sum(sizes^2)) / 4
  var <- (n * (n - 1) * (2 * n + 5) - sum(sizes * (sizes - 1) * (2 * sizes + 5)) -
            sum(ties * (ties - 1) * (2 * ties + 5))) / 72 +
    sum(sizes * (sizes - 1) * (sizes - 2)) * sum(ties * (ties - 1) * (ties - 2)) /
      (36 * n * (n - 1) * (n - 2)) +
    sum(sizes * (sizes - 1)) * sum(ties * (ties - 1)) / (8 * n * (n - 1))
  z <- (jt - mean) / sqrt(var)
  expect_all(where, pick(algorithms, "IJonckheereTerpstra")[[1]],
             list(TotalN = n, TestStatistic = jt, StandardError = sqrt(var),
                  StandardizedTestStatistic = z, AsymptoticSig2Tailed = two_sided(z)))
}

check_insectsprays <- function(where, algorithms) {
  sprays <- data_set("InsectSprays")
  kw <- kruskal.test(count ~ factor(spray), data = sprays)
  expect_all(where, pick(algorithms, "IKruskalWallis")[[1]],
             list(TotalN = nrow(sprays), TestStatistic = unname(kw$statistic),
                  DegreeOfFreedom = unname(kw$parameter), AsymptoticSig2Tailed = kw$p.value))
}

check_plantgrowth <- function(group) {
  function(where, algorithms) {
    plants <- data_set("PlantGrowth")
    x <- plants$weight[plants$group == group]
    check_signed_ranks(where, pick(algorithms, "OWilcoxonSignedRanks")[[1]], x - 5)
    check_ks(where, pick(algorithms, "OKolmogorovSmirnov")[[1]], x, "normal",
             sample_params("normal", x), TRUE)
  }
}

checks <- list(
  onesample_mtcars = check_mtcars, chickwts = check_chickwts, onesample_morley = check_morley,
  ks_trees_given = check_trees, ks_ozone_sample = check_ozone, ks_ozone_dates = check_ozone_dates,
  related_sleep = check_sleep, related_occupational = check_occupational,
  related_judges_cochran = check_cochran, related_judges_friedman = check_friedman,
  independent_warpbreaks_wool = check_wool, independent_warpbreaks_tension = check_tension,
  independent_insectsprays = check_insectsprays, split_ctrl = check_plantgrowth("ctrl"),
  split_trt1 = check_plantgrowth("trt1"), split_trt2 = check_plantgrowth("trt2"))

documents <- sub("\\.xml$", "", list.files(examples, pattern = "\\.xml$"))
for (name in documents) {
  if (is.null(checks[[name]])) {
    cat(sprintf("FAIL %s.xml: no check recomputes its figures; add one\n", name))
    failures <- failures + 1
    next
  }
  checks[[name]](paste0(name, ".xml"), read_algorithms(file.path(examples, paste0(name, ".xml"))))
}
for (name in setdiff(names(checks), documents)) {
  cat(sprintf("FAIL %s.xml: the document is missing\n", name))
  failures <- failures + 1
}

# --- Effect sizes -------------------------------------------------------------------------------
# Each example's report (nptests --format json) against R: per test with effect sizes, in document
# order, its measures with estimate and bounds (NA: the report must show none). Estimates agree to
# 1e-9, analytic bounds to 1e-6; the report line in the table's caption quotes the first estimate.
es <- function(measure, estimate, lower = NA, upper = NA, boot = NULL) {
  list(measure = measure, estimate = estimate, lower = lower, upper = upper, boot = boot)
}
from_effectsize <- function(measure, table) es(measure, table[[1]][1], table$CI_low, table$CI_high)

# Cohen's h of k successes of n against p0: by hand (effectsize compares two samples only), its
# bounds from binom.test's exact interval.
cohens_h_one <- function(k, n, p0) {
  h <- function(p) 2 * asin(sqrt(p)) - 2 * asin(sqrt(p0))
  ci <- binom.test(k, n, p0)$conf.int
  es("Cohen's h", h(k / n), h(ci[1]), h(ci[2]))
}
goodness_of_fit <- function(x) {
  tab <- table(x)
  p <- rep(1 / length(tab), length(tab))
  list(from_effectsize("Cohen's w", cohens_w(tab, p = p)), from_effectsize("Fei", fei(tab, p = p)))
}
signed_rank <- function(d) {
  list(from_effectsize("Matched-pairs rank-biserial correlation", rank_biserial(d[d != 0])))
}
ks_d <- function(x, dist, params) {
  f <- ks_cdf(dist, params)
  if (dist == "poisson") {
    grid <- 0:max(x)
    return(list(es("Kolmogorov-Smirnov D", max(abs(ecdf(x)(grid) - f(grid))))))
  }
  list(es("Kolmogorov-Smirnov D", unname(suppressWarnings(ks.test(x, f, exact = FALSE))$statistic)))
}
# The discordant cells b and c: g as effectsize computes it, b/c with the Wald interval of its log.
mcnemar_effects <- function(b, c) {
  g <- suppressWarnings(cohens_g(matrix(c(1, c, b, 1), 2)))
  z <- qnorm(0.975)
  se <- sqrt(1 / b + 1 / c)
  list(from_effectsize("Cohen's g", g),
       es("Odds ratio (b/c)", b / c, exp(log(b / c) - z * se), exp(log(b / c) + z * se)))
}
# Rank epsilon squared H / (N - 1) with its percentile bootstrap interval: the engine resamples
# each group's cases within the group; R's own bootstrap distribution of the estimate (5000
# resamples) is what the engine's bounds are checked against.
rank_epsilon <- function(y, g) {
  estimate <- rank_epsilon_squared(y ~ g, ci = NULL)[[1]]
  epsilon <- function(y, g) {
    n <- length(y); r <- rank(y); t <- table(y)
    h <- (12 / (n * (n + 1)) * sum(tapply(r, g, sum)^2 / tapply(r, g, length)) - 3 * (n + 1)) /
      (1 - sum(t^3 - t) / (n^3 - n))
    h / (n - 1)
  }
  rows <- split(seq_along(y), g, drop = TRUE)
  set.seed(2)
  boot <- replicate(5000, {
    j <- unlist(lapply(rows, function(r) r[sample.int(length(r), replace = TRUE)]))
    epsilon(y[j], g[j])
  })
  es("Rank epsilon squared", estimate, boot = boot)
}
kendall <- function(ratings) {
  w <- suppressWarnings(kendalls_w(ratings, ci = NULL))$Kendalls_W
  long <- data.frame(score = as.vector(ratings), rating = factor(rep(colnames(ratings),
                                                                    each = nrow(ratings))),
                     id = factor(rep(seq_len(nrow(ratings)), ncol(ratings))))
  rw <- friedman_effsize(long, score ~ rating | id)$effsize
  if (abs(w - rw) > 1e-9) cat(sprintf("FAIL effectsize's W %.10g and rstatix's %.10g differ\n", w, rw))
  # The engine's percentile bootstrap interval (2000 resamples of the judges) is checked against
  # R's own bootstrap distribution of W (20000 resamples): each bound must sit at its percentile
  # of R's distribution within three Monte Carlo standard errors of a 2000-resample percentile.
  # W = 12 S / (n^2 (k^3 - k) - n T) from each judge's ranks and tie term, resampled by judge.
  ranks <- t(apply(ratings, 1, rank))
  ties <- apply(ratings, 1, function(x) { t <- table(x); sum(t^3 - t) })
  n <- nrow(ratings); k <- ncol(ratings)
  set.seed(1)
  boot <- replicate(20000, {
    j <- sample.int(n, replace = TRUE)
    s <- sum((colSums(ranks[j, , drop = FALSE]) - n * (k + 1) / 2)^2)
    12 * s / (n^2 * (k^3 - k) - n * sum(ties[j]))
  })
  list(es("Kendall's W", unname(rw), boot = boot))
}

effect_checks <- list(
  onesample_mtcars = function() {
    cars <- data_set("mtcars")
    list(goodness_of_fit(cars$am), list(cohens_h_one(sum(cars$mpg <= 20), nrow(cars), 0.5)),
         list(cohens_h_one(sum(cars$am == 0), nrow(cars), 0.5)))
  },
  chickwts = function() {
    chicks <- data_set("chickwts")
    side <- table(chicks$weight > median(chicks$weight), chicks$feed)
    v <- suppressWarnings(cramers_v(side, adjust = FALSE))
    rv <- suppressWarnings(rstatix::cramer_v(side))
    if (abs(v$Cramers_v - rv) > 1e-9) cat("FAIL effectsize's and rstatix's Cramer's V differ\n")
    list(goodness_of_fit(chicks$feed),
         list(rank_epsilon(chicks$weight, chicks$feed)),
         list(from_effectsize("Cramér's V", v)))
  },
  onesample_morley = function() {
    x <- data_set("morley")$Speed
    list(signed_rank(x - 792.458), ks_d(x, "normal", sample_params("normal", x)))
  },
  ks_trees_given = function() {
    x <- data_set("trees")$Height
    list(ks_d(x, "normal", c(75, 6)), ks_d(x, "uniform", c(60, 90)), ks_d(x, "exponential", 75),
         ks_d(x, "poisson", 75))
  },
  ks_ozone_sample = function() {
    ozone <- data_set("airquality")$Ozone
    ozone <- ozone[!is.na(ozone)]
    list(ks_d(ozone, "uniform", sample_params("uniform", ozone)),
         ks_d(ozone, "exponential", sample_params("exponential", ozone)))
  },
  ks_ozone_dates = function() {
    air <- data_set("airquality")
    high <- air[!is.na(air$Ozone) & air$Ozone > 80, ]
    days <- as.numeric(as.Date(sprintf("1973-%02d-%02d", high$Month, high$Day)))
    list(ks_d(days, "uniform", sample_params("uniform", days)))
  },
  related_sleep = function() {
    sleep <- data_set("sleep")
    d <- sleep$drug2 - sleep$drug1
    list(list(from_effectsize("Cohen's g", suppressWarnings(
           cohens_g(matrix(c(1, sum(d < 0), sum(d > 0), 1), 2))))),
         signed_rank(d))
  },
  related_occupational = function() {
    t <- xtabs(Freq ~ origin + destination, data = data_set("occupationalStatus"))
    # b: the first field's success (status 5-8) with the second's failure; c: the reverse.
    list(mcnemar_effects(sum(t[5:8, 1:4]), sum(t[1:4, 5:8])))
  },
  related_judges_cochran = function() {
    ratings <- data_set("USJudgeRatings")
    success <- as.matrix(ratings[, judges] >= 8) * 1
    long <- data.frame(y = as.vector(success), rating = factor(rep(judges, each = nrow(success))),
                       id = factor(rep(seq_len(nrow(success)), length(judges))))
    q <- cochran_qtest(long, y ~ rating | id)$statistic
    list(list(es("Eta squared (Q)", unname(q) / (nrow(success) * (length(judges) - 1)))))
  },
  related_judges_friedman = function() {
    ratings <- as.matrix(data_set("USJudgeRatings")[, judges])
    list(kendall(ratings), kendall(ratings))
  },
  independent_warpbreaks_wool = function() {
    w <- data_set("warpbreaks")
    a <- w$breaks[w$wool == "A"]
    b <- w$breaks[w$wool == "B"]
    list(list(from_effectsize("Rank-biserial correlation", rank_biserial(b, a)),
              from_effectsize("Probability of superiority",
                              p_superiority(b, a, parametric = FALSE))),
         list(es("Kolmogorov-Smirnov D",
                 unname(suppressWarnings(ks.test(a, b, exact = FALSE))$statistic))))
  },
  independent_warpbreaks_tension = function() list(),
  independent_insectsprays = function() {
    sprays <- data_set("InsectSprays")
    list(list(rank_epsilon(sprays$count, sprays$spray)))
  },
  split_ctrl = function() split_effects("ctrl"),
  split_trt1 = function() split_effects("trt1"),
  split_trt2 = function() split_effects("trt2"))

split_effects <- function(group) {
  plants <- data_set("PlantGrowth")
  x <- plants$weight[plants$group == group]
  list(signed_rank(x - 5), ks_d(x, "normal", sample_params("normal", x)))
}

# The "Effect Size" tables of a report, in output order, each as its rows and its caption.
report_tables <- function(name) {
  out <- suppressWarnings(system2(nptests, c("--format", "json", "--syntax-file",
                                             file.path(examples, paste0(name, ".sps")),
                                             file.path(examples, paste0(name, ".xml"))),
                                  stdout = TRUE, stderr = FALSE))
  if (!is.null(attr(out, "status"))) return(NULL)
  doc <- jsonlite::fromJSON(paste(out, collapse = "\n"), simplifyVector = FALSE)
  tables <- list()
  walk <- function(items) {
    for (item in items) {
      if (item$kind == "heading") walk(item$items)
      if (item$kind == "table" && identical(item$title$key, "Effect Size"))
        tables[[length(tables) + 1]] <<- item
    }
  }
  walk(doc$items)
  lapply(tables, function(table) {
    rows <- list()
    for (cell in table$cells) {
      measure <- tail(unlist(cell$path[[1]]), 1)
      column <- tail(unlist(cell$path[[2]]), 1)
      value <- if (is.null(cell$value)) NA else cell$value
      if (is.null(rows[[measure]])) rows[[measure]] <- list()
      rows[[measure]][[column]] <- value
    }
    numbers <- function(label) {
      c(if (!is.null(label$value)) label$value, unlist(lapply(label$items, numbers)))
    }
    list(rows = rows, caption = if (is.null(table$caption)) numeric(0) else numbers(table$caption))
  })
}

close_to <- function(shown, expected, tolerance) {
  if (is.na(expected)) return(is.na(shown))
  !is.na(shown) && abs(shown - expected) <= tolerance * max(1, abs(expected))
}

check_effect_sizes <- function(name) {
  where <- paste0(name, ".xml")
  expected <- effect_checks[[name]]()
  tables <- report_tables(name)
  checked <<- checked + 1
  if (is.null(tables) || length(tables) != length(expected)) {
    cat(sprintf("FAIL %s: %s effect size tables, R expects %d\n", where,
                if (is.null(tables)) "no report, so no" else length(tables), length(expected)))
    failures <<- failures + 1
    return(invisible())
  }
  for (i in seq_along(expected)) {
    rows <- tables[[i]]$rows
    if (!identical(names(rows), vapply(expected[[i]], `[[`, "", "measure"))) {
      cat(sprintf("FAIL %s: table %d shows %s\n", where, i, paste(names(rows), collapse = ", ")))
      failures <<- failures + 1
      next
    }
    for (e in expected[[i]]) {
      row <- rows[[e$measure]]
      if (!is.null(e$boot)) {
        for (bound in list(list("Lower", 0.025), list("Upper", 0.975))) {
          checked <<- checked + 1
          shown <- row[[bound[[1]]]]
          at <- if (is.null(shown)) NA else mean(e$boot <= shown)
          # Both bootstraps' Monte Carlo error: the engine's 2000 resamples and R's own.
          err <- 3 * sqrt(bound[[2]] * (1 - bound[[2]]) * (1 / 2000 + 1 / length(e$boot)))
          if (is.na(at) || abs(at - bound[[2]]) > err) {
            cat(sprintf("FAIL %s: %s %s %s sits at the %s point of R's bootstrap, not %.3f\n",
                        where, e$measure, bound[[1]], format(shown, digits = 10),
                        format(at, digits = 3), bound[[2]]))
            failures <<- failures + 1
          }
        }
      }
      figures <- list(list("Estimate", e$estimate, 1e-9))
      if (is.null(e$boot))
        figures <- c(figures, list(list("Lower", e$lower, 1e-6), list("Upper", e$upper, 1e-6)))
      for (figure in figures) {
        checked <<- checked + 1
        shown <- if (is.null(row[[figure[[1]]]])) NA else row[[figure[[1]]]]
        if (!close_to(shown, figure[[2]], figure[[3]])) {
          cat(sprintf("FAIL %s: %s %s is %s, R gives %.10g\n", where, e$measure, figure[[1]],
                      format(shown, digits = 10), figure[[2]]))
          failures <<- failures + 1
        }
      }
    }
    checked <<- checked + 1
    first <- expected[[i]][[1]]$estimate
    if (!any(abs(tables[[i]]$caption - first) <= 1e-9 * max(1, abs(first)))) {
      cat(sprintf("FAIL %s: the report line of table %d does not quote %.10g\n", where, i, first))
      failures <<- failures + 1
    }
  }
}

if (!file.exists(nptests)) {
  cat(sprintf("FAIL %s is missing: build it first (scripts/build.sh build)\n", nptests))
  failures <- failures + 1
} else {
  for (name in documents) {
    if (is.null(effect_checks[[name]])) {
      cat(sprintf("FAIL %s.xml: no check recomputes its effect sizes; add one\n", name))
      failures <- failures + 1
    } else {
      check_effect_sizes(name)
    }
  }
}

if (failures > 0) {
  cat(sprintf("check-examples: %d of %d figures differ from R\n", failures, checked))
  quit(status = 1)
}
cat(sprintf("check-examples: %d figures of %d documents agree with R\n", checked, length(documents)))
