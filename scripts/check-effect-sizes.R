#!/usr/bin/env Rscript
# The report's effect sizes checked against R on seeded random data sets: per kind of test one CSV
# of ~40 sets (small to a few hundred cases, ties, weights) split by set, run once through
# `nptests --split-by set --format json`; every "Effect Size" row of every split group is compared
# with effectsize, rstatix or the formula of docs/effect-sizes.md written here in R: estimates
# within 1e-9, analytic bounds within 1e-6, bootstrap bounds at their percentile of R's own
# bootstrap (anywhere on an atom that spans it) within both bootstraps' Monte Carlo error. Exits 1
# on any figure that differs.
# Usage: Rscript scripts/check-effect-sizes.R [build/bin/nptests]
suppressPackageStartupMessages({
  library(effectsize)
  library(rstatix)
})

args <- commandArgs(trailingOnly = TRUE)
root <- normalizePath(file.path(dirname(sub("--file=", "", grep("--file=", commandArgs(FALSE),
                                                              value = TRUE))), ".."))
nptests <- if (length(args)) args[1] else file.path(root, "build", "bin", "nptests")
SETS <- 40
BOOT_R <- 2000 # R's own bootstrap replicates per interval

es <- function(measure, estimate, lower = NA, upper = NA, boot = NULL) {
  list(measure = measure, estimate = estimate, lower = lower, upper = upper, boot = boot)
}
from_effectsize <- function(measure, table) es(measure, table[[1]][1], table$CI_low, table$CI_high)

# Sizes from a handful of cases to a few hundred; every fourth set weighted.
size_of <- function(i) c(4, 6, 9, 13, 20, 30, 45, 70, 120, 250)[(i - 1) %% 10 + 1]
weights_of <- function(i, n) if (i %% 4 == 0) sample(1:3, n, replace = TRUE) else rep(1L, n)

# --- The kinds: data set i -> its data rows and the effect size tables R expects -------------

chi_square <- function(i, conf) {
  n <- size_of(i); k <- 2 + i %% 4
  x <- sample(seq_len(k), n, replace = TRUE, prob = seq_len(k)^(i %% 3))
  w <- weights_of(i, n)
  tab <- table(rep(x, w))
  if (length(tab) < 2) return(list(rows = data.frame(x = x, w = w), tables = list()))
  p <- rep(1 / length(tab), length(tab))
  list(rows = data.frame(x = x, w = w), tables = list(list(
    from_effectsize("Cohen's w", cohens_w(tab, p = p, ci = conf)),
    from_effectsize("Fei", fei(tab, p = p, ci = conf)))))
}
CHI_SQUARE <- "NPTESTS /ONESAMPLE TEST(x) CHISQUARE"

# Cohen's h of the cases at or below 10 against p0 = 0.3 (by hand: effectsize compares two
# samples only), its bounds from binom.test's exact interval.
binomial <- function(i, conf) {
  n <- size_of(i)
  x <- round(rnorm(n, 10 + i %% 3, 3))
  w <- weights_of(i, n)
  xr <- rep(x, w)
  s <- sum(xr <= 10)
  p0 <- 0.3
  h <- function(p) 2 * asin(sqrt(p)) - 2 * asin(sqrt(p0))
  ci <- binom.test(s, length(xr), p0, conf.level = conf)$conf.int
  list(rows = data.frame(x = x, w = w),
       tables = list(list(es("Cohen's h", h(s / length(xr)), h(ci[1]), h(ci[2])))))
}

signed_rank <- function(d, conf) {
  d <- d[d != 0]
  if (length(d) == 0) return(list())
  list(list(from_effectsize("Matched-pairs rank-biserial correlation",
                            rank_biserial(d, ci = conf))))
}
one_sample_wilcoxon <- function(i, conf) {
  n <- size_of(i)
  x <- if (i %% 2) round(rnorm(n, 5.5, 2)) else round(rexp(n, 1 / 5), 2)
  w <- weights_of(i, n)
  list(rows = data.frame(x = x, w = w), tables = signed_rank(rep(x, w) - 5, conf))
}

ks_one <- function(i, conf) {
  n <- size_of(i)
  x <- if (i %% 3 == 0) round(rnorm(n, 1, 2), 1) else rnorm(n, 0.3, 1.2)
  w <- weights_of(i, n)
  d <- unname(suppressWarnings(ks.test(rep(x, w), "pnorm", 0, 1.5, exact = FALSE))$statistic)
  list(rows = data.frame(x = x, w = w), tables = list(list(es("Kolmogorov-Smirnov D", d))))
}

# Mann-Whitney's r and probability of superiority of the second group over the first (the U the
# document reports), then the two-sample Kolmogorov-Smirnov D.
two_sample <- function(i, conf) {
  n <- size_of(i); n1 <- max(2, round(n * (0.3 + 0.4 * (i %% 3) / 2)))
  g <- c(rep(1, n1), rep(2, max(2, n - n1)))
  y <- if (i %% 2) round(rnorm(length(g), g * 0.4, 1), 1) else sample(1:6, length(g), replace = TRUE)
  w <- weights_of(i, length(g))
  yr <- rep(y, w); gr <- rep(g, w)
  a <- yr[gr == 1]; b <- yr[gr == 2]
  tables <- list(es("Kolmogorov-Smirnov D",
                    unname(suppressWarnings(ks.test(a, b, exact = FALSE))$statistic)))
  # effectsize warns when the second sample has two distinct values (a grouping variable?); it
  # still takes it as a sample.
  if (length(unique(yr)) > 1)
    tables <- c(list(suppressWarnings(list(
      from_effectsize("Rank-biserial correlation", rank_biserial(b, a, ci = conf)),
      from_effectsize("Probability of superiority",
                      p_superiority(b, a, parametric = FALSE, ci = conf))))), list(tables))
  else tables <- list(tables)
  list(rows = data.frame(value = y, group = g, w = w), tables = tables)
}

# Rank epsilon squared H / (N - 1) and R's own bootstrap of it, resampled within the groups as the
# engine does (a resample of equal values counts 0); then the median test's Cramér's V.
epsilon_boot <- function(y, g) {
  o <- order(g); y <- y[o]; g <- g[o]
  rows <- split(seq_along(y), g)
  n <- length(y); sizes <- lengths(rows)
  first <- cumsum(c(1, head(sizes, -1)))
  replicate(BOOT_R, {
    j <- unlist(lapply(rows, function(r) r[sample.int(length(r), replace = TRUE)]), use.names = FALSE)
    v <- y[j]
    t <- rle(sort(v))$lengths
    ties <- 1 - sum(t^3 - t) / (n^3 - n)
    if (ties <= 0) return(0)
    sums <- diff(c(0, cumsum(rank(v))[cumsum(sizes)]))
    h <- (12 / (n * (n + 1)) * sum(sums^2 / sizes) - 3 * (n + 1)) / ties
    h / (n - 1)
  })
}
k_sample <- function(i, conf) {
  k <- 3 + i %% 4
  sizes <- pmax(2, round(size_of(i) / k * runif(k, 0.6, 1.4)))
  g <- rep(seq_len(k), sizes)
  y <- if (i %% 2) round(rnorm(length(g), g * 0.3, 1), 1) else sample(1:5, length(g), replace = TRUE)
  w <- weights_of(i, length(g))
  yr <- rep(y, w); gr <- rep(g, w)
  tables <- list()
  if (length(unique(yr)) > 1) {
    d <- data.frame(y = yr, g = factor(gr))
    estimate <- rank_epsilon_squared(y ~ g, data = d, ci = NULL)[[1]]
    tables <- list(list(es("Rank epsilon squared", estimate,
                           boot = epsilon_boot(yr, gr))))
  }
  side <- table(yr > median(yr), gr)
  if (nrow(side) == 2) {
    v <- suppressWarnings(cramers_v(side, adjust = FALSE, ci = conf))
    rv <- suppressWarnings(rstatix::cramer_v(side))
    if (abs(v$Cramers_v - rv) > 1e-9) stop("effectsize's and rstatix's Cramer's V differ")
    tables <- c(tables, list(list(from_effectsize("Cramér's V", v))))
  }
  list(rows = data.frame(value = y, group = g, w = w), tables = tables)
}

# Pairs with ties and zero differences: the sign test's Cohen's g and the signed-rank r of
# d = v2 - v1.
pairs <- function(i, conf) {
  n <- size_of(i)
  v1 <- round(rnorm(n, 5, 2)); v2 <- round(v1 + rnorm(n, 0.2 * (i %% 3), 1.5))
  w <- weights_of(i, n)
  d <- rep(v2 - v1, w)
  tables <- list()
  if (any(d != 0))
    tables <- list(list(from_effectsize("Cohen's g", suppressWarnings(
      cohens_g(matrix(c(1, sum(d < 0), sum(d > 0), 1), 2), ci = conf)))))
  list(rows = data.frame(v1 = v1, v2 = v2, w = w), tables = c(tables, signed_rank(d, conf)))
}

# McNemar: b the cases with the first field's success (1) and the second's failure, c the
# reverse; Cohen's g as effectsize computes it, b/c with the Wald interval of its log.
mcnemar <- function(i, conf) {
  n <- size_of(i)
  v1 <- rbinom(n, 1, 0.5)
  v2 <- ifelse(runif(n) < 0.3 + 0.1 * (i %% 3), 1 - v1, v1)
  w <- weights_of(i, n)
  b <- sum(w[v1 == 1 & v2 == 0]); c <- sum(w[v1 == 0 & v2 == 1])
  z <- qnorm((1 + conf) / 2)
  se <- sqrt(1 / b + 1 / c)
  # g needs a change either way; b/c is 0 or infinite unless there are changes both ways, and
  # its log's interval then undefined: the table keeps g alone.
  measures <- list()
  if (b + c > 0)
    measures <- list(from_effectsize("Cohen's g", suppressWarnings(
      cohens_g(matrix(c(1, c, b, 1), 2), ci = conf))))
  if (b > 0 && c > 0)
    measures <- c(measures, list(es("Odds ratio (b/c)", b / c, exp(log(b / c) - z * se),
                                    exp(log(b / c) + z * se))))
  list(rows = data.frame(v1 = v1, v2 = v2, w = w),
       tables = if (length(measures)) list(measures) else list())
}

# Kendall's W of n cases by k fields, and R's own bootstrap of it resampled by case (a case tied
# throughout contributes its tie term; a resample tied throughout counts 0).
kendall <- function(ratings) {
  w <- suppressWarnings(kendalls_w(ratings, ci = NULL))$Kendalls_W
  n <- nrow(ratings); k <- ncol(ratings)
  long <- data.frame(score = as.vector(ratings), field = factor(rep(seq_len(k), each = n)),
                     id = factor(rep(seq_len(n), k)))
  rw <- friedman_effsize(long, score ~ field | id)$effsize
  if (abs(w - rw) > 1e-9) stop(sprintf("effectsize's W %.10g and rstatix's %.10g differ", w, rw))
  ranks <- t(apply(ratings, 1, rank))
  ties <- apply(ratings, 1, function(x) { t <- table(x); sum(t^3 - t) })
  boot <- replicate(BOOT_R, {
    j <- sample.int(n, replace = TRUE)
    s <- sum((colSums(ranks[j, , drop = FALSE]) - n * (k + 1) / 2)^2)
    den <- n^2 * (k^3 - k) - n * sum(ties[j])
    if (den <= 0) 0 else 12 * s / den
  })
  es("Kendall's W", unname(rw), boot = boot)
}
friedman <- function(i, conf) {
  n <- max(5, size_of(i) %/% 2); k <- 4
  x <- matrix(round(rnorm(n * k, rep(seq_len(k) * 0.2 * (i %% 3), each = n), 1.5)), n, k)
  w <- weights_of(i, n)
  rows <- setNames(as.data.frame(x), paste0("v", seq_len(k)))
  rows$w <- w
  # Friedman's and Kendall's records each show the same W.
  list(rows = rows, tables = rep(list(list(kendall(x[rep(seq_len(n), w), , drop = FALSE]))), 2))
}

cochran <- function(i, conf) {
  n <- size_of(i); k <- 3
  x <- matrix(rbinom(n * k, 1, rep(seq(0.3, 0.7, length.out = k), each = n)), n, k)
  w <- weights_of(i, n)
  rows <- setNames(as.data.frame(x), paste0("v", seq_len(k)))
  rows$w <- w
  xr <- x[rep(seq_len(n), w), , drop = FALSE]
  long <- data.frame(y = as.vector(xr), field = factor(rep(seq_len(k), each = nrow(xr))),
                     id = factor(rep(seq_len(nrow(xr)), k)))
  q <- unname(suppressWarnings(cochran_qtest(long, y ~ field | id))$statistic)
  list(rows = rows, tables = if (is.finite(q))
    list(list(es("Eta squared (Q)", q / (nrow(xr) * (k - 1))))) else list())
}

# Each kind: its data sets, its command (the level is added as CILEVEL) and its fields' measures.
kinds <- list(
  chi_square = list(make = chi_square, conf = 0.9, command = function(rows) CHI_SQUARE,
                    measures = c(x = "nominal")),
  binomial = list(make = binomial, conf = 0.95, measures = c(x = "scale"), command = function(rows)
    "NPTESTS /ONESAMPLE TEST(x) BINOMIAL(TESTVALUE=0.3 SUCCESSCONTINUOUS=CUTPOINT(10))"),
  wilcoxon = list(make = one_sample_wilcoxon, conf = 0.99, measures = c(x = "scale"),
                  command = function(rows) "NPTESTS /ONESAMPLE TEST(x) WILCOXON(TESTVALUE=5)"),
  ks_one = list(make = ks_one, conf = 0.95, measures = c(x = "scale"), command = function(rows)
    "NPTESTS /ONESAMPLE TEST(x) KOLMOGOROV_SMIRNOV(NORMAL=CUSTOM(MEAN=0 SD=1.5))"),
  two_sample = list(make = two_sample, conf = 0.9, measures = c(value = "scale", group = "nominal"),
                    command = function(rows) paste("NPTESTS /INDEPENDENT TEST(value) GROUP(group)",
                                                   "MANN_WHITNEY KOLMOGOROV_SMIRNOV")),
  k_sample = list(make = k_sample, conf = 0.95, measures = c(value = "scale", group = "nominal"),
                  command = function(rows) paste("NPTESTS /INDEPENDENT TEST(value) GROUP(group)",
                                                 "KRUSKAL_WALLIS MEDIAN")),
  pairs = list(make = pairs, conf = 0.95, measures = c(v1 = "scale", v2 = "scale"),
               command = function(rows) "NPTESTS /RELATED TEST(v1 v2) SIGN WILCOXON"),
  mcnemar = list(make = mcnemar, conf = 0.9, measures = c(v1 = "nominal", v2 = "nominal"),
                 command = function(rows) "NPTESTS /RELATED TEST(v1 v2) MCNEMAR(SUCCESS=LIST(1))"),
  friedman = list(make = friedman, conf = 0.95, measures = c(v1 = "scale", v2 = "scale",
                                                             v3 = "scale", v4 = "scale"),
                  command = function(rows) "NPTESTS /RELATED TEST(v1 v2 v3 v4) FRIEDMAN KENDALL"),
  cochran = list(make = cochran, conf = 0.95, measures = c(v1 = "nominal", v2 = "nominal",
                                                           v3 = "nominal"),
                 command = function(rows) "NPTESTS /RELATED TEST(v1 v2 v3) COCHRAN(SUCCESS=LIST(1))"))


# --- The report's tables, per split group --------------------------------------------------------

# The "Effect Size" tables of a JSON report by split group ("set" value), in output order, each
# as its rows: measure -> column ("Estimate", "Lower", "Upper") -> value.
report_tables <- function(file) {
  doc <- jsonlite::fromJSON(file, simplifyVector = FALSE)
  groups <- list()
  walk <- function(items, set) {
    for (item in items) {
      if (item$kind == "heading") {
        label <- item$label
        if (!is.null(label$key) && startsWith(label$key, "[%1 = %2"))
          set <- as.character(label$items[[1]]$items[[2]]$value)
        walk(item$items, set)
      }
      if (item$kind == "table" && identical(item$title$key, "Effect Size")) {
        rows <- list()
        for (cell in item$cells) {
          measure <- tail(unlist(cell$path[[1]]), 1)
          column <- tail(unlist(cell$path[[2]]), 1)
          if (is.null(rows[[measure]])) rows[[measure]] <- list()
          rows[[measure]][[column]] <- if (is.null(cell$value)) NA else cell$value
        }
        groups[[set]] <<- c(groups[[set]], list(rows))
      }
    }
  }
  walk(doc$items, "")
  groups
}

failures <- 0
checked <- 0
fail <- function(...) {
  cat("FAIL", sprintf(...), "\n")
  failures <<- failures + 1
}
close_to <- function(shown, expected, tolerance) {
  if (is.na(expected)) return(is.na(shown))
  !is.na(shown) && abs(shown - expected) <= tolerance * max(1, abs(expected))
}

compare <- function(kind, set, expected, shown) {
  where <- sprintf("%s set %d", kind, set)
  checked <<- checked + 1
  if (length(shown) != length(expected))
    return(fail("%s: %d effect size tables, R expects %d", where, length(shown), length(expected)))
  for (i in seq_along(expected)) {
    rows <- shown[[i]]
    if (!identical(names(rows), vapply(expected[[i]], `[[`, "", "measure"))) {
      fail("%s: table %d shows %s", where, i, paste(names(rows), collapse = ", "))
      next
    }
    for (e in expected[[i]]) {
      row <- rows[[e$measure]]
      get <- function(column) if (is.null(row[[column]])) NA else row[[column]]
      figures <- list(list("Estimate", e$estimate, 1e-9))
      if (is.null(e$boot)) {
        figures <- c(figures, list(list("Lower", e$lower, 1e-6), list("Upper", e$upper, 1e-6)))
      } else {
        for (bound in list(list("Lower", 0.025), list("Upper", 0.975))) {
          checked <<- checked + 1
          value <- get(bound[[1]])
          # With few cases the bootstrap distribution has atoms: a bound on one holds every
          # level from the share below it to the share at or below it.
          below <- if (is.na(value)) NA else mean(e$boot < value)
          at <- if (is.na(value)) NA else mean(e$boot <= value)
          # Both bootstraps' Monte Carlo error: the engine's 2000 resamples and R's own.
          p <- bound[[2]]
          tolerance <- 3 * sqrt(p * (1 - p) * (1 / 2000 + 1 / length(e$boot)))
          if (is.na(at) || p < below - tolerance || p > at + tolerance)
            fail("%s: %s %s %s sits at the %s to %s points of R's bootstrap, not %.3f", where,
                 e$measure, bound[[1]], format(value, digits = 10), format(below, digits = 3),
                 format(at, digits = 3), p)
        }
      }
      for (figure in figures) {
        checked <<- checked + 1
        if (!close_to(get(figure[[1]]), figure[[2]], figure[[3]]))
          fail("%s: %s %s is %s, R gives %.10g", where, e$measure, figure[[1]],
               format(get(figure[[1]]), digits = 10), figure[[2]])
      }
    }
  }
}

if (!file.exists(nptests)) {
  cat(sprintf("FAIL %s is missing: build it first (scripts/build.sh build)\n", nptests))
  quit(status = 1)
}
work <- tempfile("effects")
dir.create(work)
for (kind in names(kinds)) {
  spec <- kinds[[kind]]
  set.seed(20261207 + match(kind, names(kinds)))
  made <- lapply(seq_len(SETS), function(i) spec$make(i, spec$conf))
  rows <- do.call(rbind, lapply(seq_len(SETS), function(i) cbind(set = i, made[[i]]$rows)))
  csv <- file.path(work, paste0(kind, ".csv"))
  write.csv(rows, csv, row.names = FALSE, na = "", quote = FALSE)
  variables <- c(sprintf('{"name": "set", "measure": "scale"}'),
                 sprintf('{"name": "%s", "measure": "%s"}', names(spec$measures), spec$measures),
                 '{"name": "w", "measure": "scale"}')
  dictionary <- file.path(work, paste0(kind, ".json"))
  writeLines(sprintf('{"variables": [%s], "weight": "w"}', paste(variables, collapse = ", ")),
             dictionary)
  command <- file.path(work, paste0(kind, ".sps"))
  writeLines(sprintf("%s /CRITERIA CILEVEL=%g.", spec$command(rows), 100 * spec$conf), command)
  out <- file.path(work, paste0(kind, ".out.json"))
  status <- system2(nptests, c("--data", csv, "--dictionary", dictionary, "--split-by", "set",
                               "--syntax-file", command, "--format", "json", "-o", out),
                    stdout = FALSE, stderr = FALSE)
  if (status != 0 || !file.exists(out)) {
    fail("%s: nptests exited %d", kind, status)
    next
  }
  shown <- report_tables(out)
  for (i in seq_len(SETS)) compare(kind, i, made[[i]]$tables, shown[[as.character(i)]])
}
unlink(work, recursive = TRUE)

if (failures > 0) {
  cat(sprintf("check-effect-sizes: %d of %d figures differ from R\n", failures, checked))
  quit(status = 1)
}
cat(sprintf("check-effect-sizes: %d figures of %d data sets agree with R\n", checked,
            SETS * length(kinds)))
