# Makes effect_sizes.tsv beside this file: reference figures of the effect size formulas from R's
# effectsize package (Debian r-cran-effectsize 0.8.3), or from base R where effectsize has no such
# function (Cohen's h of one proportion, McNemar's odds ratio). Each row is one call of a formula
# of NOPREffectSize with its inputs (a1..a4), the confidence level in percent, and R's estimate and
# bounds (NA: no interval).
# Usage: Rscript tests/model/data/effect_sizes.R
suppressPackageStartupMessages(library(effectsize))
set.seed(20240501)
out_dir <- local({
  file_arg <- grep("^--file=", commandArgs(FALSE), value = TRUE)
  if (length(file_arg) == 1) dirname(sub("^--file=", "", file_arg)) else "tests/model/data"
})
rows <- list()
add <- function(desc, fun, args, level, est, low, high) {
  a <- c(args, rep(NA, 4 - length(args)))
  rows[[length(rows) + 1]] <<- data.frame(description = desc, formula = fun, a1 = a[1], a2 = a[2],
                                          a3 = a[3], a4 = a[4], level = level, estimate = est,
                                          lower = low, upper = high)
}

# Goodness of fit: Cohen's w and Fei, one-sided noncentral chi-square intervals (the default).
gof <- function(desc, observed, p, level) {
  p <- p / sum(p)
  chi <- suppressWarnings(chisq.test(observed, p = p))
  args <- c(unname(chi$statistic), length(observed) - 1, sum(observed), min(p))
  w <- cohens_w(observed, p = p, ci = level / 100)
  f <- fei(observed, p = p, ci = level / 100)
  add(paste(desc, "(w)"), "CohensW", args, level, w$Cohens_w, w$CI_low, w$CI_high)
  add(paste(desc, "(Fei)"), "Fei", args, level, f$Fei, f$CI_low, f$CI_high)
}
gof("uniform, two categories, retained", c(19, 13), c(1, 1), 95)
gof("uniform, six categories", c(12, 10, 12, 11, 14, 12), rep(1, 6), 95)
gof("unequal expectations, large effect", c(60, 25, 15), c(2, 1, 1), 95)
gof("unequal expectations at 90%", c(30, 45, 25, 20), c(1, 2, 1, 1), 90)
gof("far from the null", c(95, 5), c(1, 1), 99)

# Cohen's h of an observed proportion against a tested one, bounds from binom.test's interval.
h <- function(desc, k, n, p0, level) {
  ci <- binom.test(k, n, p0, conf.level = level / 100)$conf.int
  tr <- function(p) 2 * asin(sqrt(p)) - 2 * asin(sqrt(p0))
  add(desc, "CohensH", c(k, n, p0), level, tr(k / n), tr(ci[1]), tr(ci[2]))
}
h("18 of 32 against one half", 18, 32, 0.5, 95)
h("no success", 0, 20, 0.3, 95)
h("all successes", 15, 15, 0.6, 90)
h("small share against 0.1", 3, 60, 0.1, 99)

# Matched-pairs rank-biserial correlation (zeros dropped, as wilcox.test does).
rbp <- function(desc, d, level) {
  nz <- d[d != 0]
  v <- unname(suppressWarnings(wilcox.test(nz, exact = FALSE))$statistic)
  r <- rank_biserial(nz, ci = level / 100)
  add(desc, "RankBiserialPaired", c(v, length(nz)), level, r$r_rank_biserial, r$CI_low, r$CI_high)
}
rbp("mixed signs with ties", c(1.2, -0.4, 2.5, 2.5, -1.1, 3.0, 0.7, -0.2, 1.9, 4.4), 95)
rbp("mostly positive, 40 pairs", round(rnorm(40, 0.5), 1), 95)
rbp("all positive", c(1.2, 2.4, 1.3, 1.3, 1.0, 1.8, 0.8, 4.6, 1.4), 95)
rbp("mostly negative at 90%", round(rnorm(25, -0.8), 2), 90)

# Cohen's g from the discordant counts, Wilson interval (prop.test without correction).
g <- function(desc, b, c, level) {
  r <- suppressWarnings(cohens_g(matrix(c(10, c, b, 10), 2), ci = level / 100))
  add(desc, "CohensG", c(max(b, c), min(b, c)), level, r$Cohens_g, r$CI_low, r$CI_high)
}
g("McNemar table of 3498", 463, 554, 95)
g("nine to none", 9, 0, 95)
g("balanced", 12, 12, 95)
g("small counts at 99%", 7, 2, 99)

# McNemar's odds ratio b/c, Wald interval of its logarithm.
or <- function(desc, b, c, level) {
  z <- qnorm(1 - (1 - level / 100) / 2)
  se <- sqrt(1 / b + 1 / c)
  add(desc, "OddsRatio", c(b, c), level, b / c, exp(log(b / c) - z * se), exp(log(b / c) + z * se))
}
or("McNemar table of 3498", 463, 554, 95)
or("seven to two at 90%", 7, 2, 90)

# Mann-Whitney: rank-biserial correlation and probability of superiority of x over y.
mw <- function(desc, x, y, level) {
  u <- unname(wilcox.test(x, y, exact = FALSE)$statistic)
  r <- rank_biserial(x, y, ci = level / 100)
  ps <- p_superiority(x, y, parametric = FALSE, ci = level / 100)
  args <- c(u, length(x), length(y))
  add(paste(desc, "(r)"), "RankBiserial", args, level, r$r_rank_biserial, r$CI_low, r$CI_high)
  add(paste(desc, "(PS)"), "ProbabilityOfSuperiority", args, level, ps$p_superiority, ps$CI_low,
      ps$CI_high)
}
mw("overlapping groups with ties", c(3, 5, 5, 8, 9, 12, 4), c(2, 5, 6, 1, 3, 3), 95)
mw("unequal sizes", round(rnorm(30, 1), 1), round(rnorm(12), 1), 95)
mw("separated groups at 90%", c(10, 11, 12, 13), c(1, 2, 3), 90)

# Cramér's V of an r x c table, unadjusted, one-sided noncentral interval.
v <- function(desc, tab, level) {
  chi <- suppressWarnings(chisq.test(tab, correct = FALSE))
  r <- cramers_v(tab, adjust = FALSE, ci = level / 100)
  add(desc, "CramersV", c(unname(chi$statistic), sum(tab), nrow(tab), ncol(tab)), level,
      r$Cramers_v, r$CI_low, r$CI_high)
}
v("median test, six groups", matrix(c(2, 10, 10, 0, 9, 3, 5, 6, 9, 5, 1, 11), 2), 95)
v("two by two, weak", matrix(c(20, 18, 22, 19), 2), 95)
v("three by four at 90%", matrix(c(10, 4, 6, 3, 12, 5, 8, 7, 9, 2, 3, 15), 3), 90)

table <- do.call(rbind, rows)
numbers <- sapply(table, is.numeric)
table[numbers] <- lapply(table[numbers], function(x) ifelse(is.na(x), NA, sprintf("%.17g", x)))
write.table(table, file.path(out_dir, "effect_sizes.tsv"), sep = "\t",
            quote = FALSE, row.names = FALSE, na = "NA")
