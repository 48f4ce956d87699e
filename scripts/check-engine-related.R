# The related-samples tests of the engine checked against R on seeded random data sets: sign,
# signed-rank (asymptotic and exact), Hodges-Lehmann, McNemar, marginal homogeneity, Friedman,
# Kendall's W and Cochran's Q with their pairwise comparisons and homogeneous subsets.
#   Rscript scripts/check-engine-related.R NPTESTS   runs the program on >= 200 data sets per
#       family (one data file per family, split by set) and compares every figure;
#   Rscript scripts/check-engine-related.R --reference   writes the smaller reference tables of
#       the C++ test: tests/engine/reference/related-data.tsv (family, set, weight w, fields
#       v1..v10) and related.tsv (family, set, algorithm, figure, expected value, tolerance).
# A figure is an attribute of the test's record, or "Content:row:column" of its comparison table.
# Run from the repository's root.
suppressMessages({
  library(coin)
})
args <- commandArgs(trailingOnly = TRUE)
reference <- length(args) >= 1 && args[1] == "--reference"
set.seed(20261207)
out <- "tests/engine/reference"
# Data sets per family: pairs, categories, and for each k the rank and Cochran families.
count <- if (reference) c(pairs = 40, categories = 40, k = 3) else c(pairs = 200, categories = 200, k = 25)
ks <- if (reference) c(2, 3, 4, 5, 10) else 2:10
data_rows <- list()
figures <- list()
fmt <- function(x) {
  short <- sprintf("%.15g", x)
  suppressWarnings(ifelse(is.na(x), "NaN", ifelse(as.numeric(short) == x, short, sprintf("%.17g", x))))
}
add_data <- function(family, set, w, fields) {
  m <- matrix(NA_real_, nrow = length(w), ncol = 10)
  for (j in seq_along(fields)) m[, j] <- fields[[j]]
  data_rows[[length(data_rows) + 1]] <<- data.frame(family = family, set = set, w = w, m)
}
add <- function(family, set, algorithm, figure, value, tolerance = 1e-9) {
  figures[[length(figures) + 1]] <<- data.frame(family = family, set = set,
    algorithm = algorithm, figure = figure, value = fmt(value), tolerance = tolerance)
}
# The cases a test uses: weight above 0 and every field present; a weight w stands for w cases.
expand <- function(w, fields) {
  ok <- w > 0 & Reduce(`&`, lapply(fields, function(x) !is.na(x)))
  rows <- rep(which(ok), w[ok])
  lapply(fields, function(x) x[rows])
}
maybe_missing <- function(x, p) { x[runif(length(x)) < p] <- NA; x }
weights_of <- function(n) if (runif(1) < 0.4) sample(0:3, n, replace = TRUE, prob = c(.1, .3, .3, .3)) else rep(1, n)

# Sign, Wilcoxon signed-rank and Hodges-Lehmann on two continuous fields.
sizes <- c(1:12, 15, 20, 25, 30, 40, 49, 50, 51, 60, 80)
check_pairs <- function(set, w, fields) {
  x1 <- fields[[1]]; x2 <- fields[[2]]
  add_data("pairs", set, w, list(x1, x2))
  e <- expand(w, list(x1, x2))
  d <- e[[2]] - e[[1]]
  N <- length(d)
  if (N == 0) return(invisible())
  pos <- sum(d > 0); neg <- sum(d < 0)
  add("pairs", set, "RSign", "TotalN", N)
  add("pairs", set, "RSign", "TestStatistic", pos)
  add("pairs", set, "RSign", "ExactSig2Tailed",
      if (pos + neg == 0) 1 else binom.test(pos, pos + neg)$p.value, 1e-12)
  nz <- d[d != 0]
  m <- length(nz)
  r <- rank(abs(nz))
  wplus <- sum(r[nz > 0])
  ties <- table(r) # midranks: values tie when their doubles are equal, as rank() sees them
  se <- sqrt(m * (m + 1) * (2 * m + 1) / 24 - sum(ties^3 - ties) / 48)
  add("pairs", set, "RWilcoxonSignedRanks", "TestStatistic", wplus)
  add("pairs", set, "RWilcoxonSignedRanks", "StandardError", se)
  if (m > 0 && se > 0) {
    test <- wilcox.test(nz, exact = FALSE, correct = FALSE)
    stopifnot(isTRUE(all.equal(unname(test$statistic), wplus)))
    add("pairs", set, "RWilcoxonSignedRanks", "StandardizedTestStatistic", (wplus - m * (m + 1) / 4) / se)
    add("pairs", set, "RWilcoxonSignedRanks", "AsymptoticSig2Tailed", test$p.value)
  }
  if (m >= 1 && m <= 50) {
    y <- e[[2]][d != 0]; x <- e[[1]][d != 0]
    exact <- pvalue(wilcoxsign_test(y ~ x, distribution = "exact", zero.method = "Wilcoxon"))
    add("pairs", set, "RWilcoxonSignedRanks", "ExactSig2Tailed", exact, 1e-12)
  }
  # Hodges-Lehmann: median of the Walsh averages of all differences; the interval's order
  # statistic from qsignrank for at most 50 cases, else from the normal approximation.
  walsh <- outer(d, d, "+"); walsh <- sort(walsh[!lower.tri(walsh)] / 2)
  M <- length(walsh)
  alpha <- 0.05
  qu <- if (N <= 50) qsignrank(alpha / 2, N) else
    round(N * (N + 1) / 4 - qnorm(1 - alpha / 2) * sqrt(N * (N + 1) * (2 * N + 1) / 24))
  qu <- min(max(qu, 1), M)
  if (N <= 50 && m == N && length(unique(abs(d))) == N) {
    ci <- wilcox.test(d, conf.int = TRUE, exact = TRUE)
    stopifnot(isTRUE(all.equal(unname(ci$estimate), median(walsh))),
              isTRUE(all.equal(ci$conf.int[1:2], c(walsh[qu], walsh[M - qu + 1]))))
  }
  add("pairs", set, "RHodgesLehmannEstimatePairs", "Estimate", median(walsh), 1e-12)
  add("pairs", set, "RHodgesLehmannEstimatePairs", "ConfidenceIntervalLowerBound", walsh[qu], 1e-12)
  add("pairs", set, "RHodgesLehmannEstimatePairs", "ConfidenceIntervalUpperBound", walsh[M - qu + 1], 1e-12)
}
for (set in seq_len(count[["pairs"]])) {
  n <- sample(sizes, 1)
  digits <- sample(0:2, 1)
  x1 <- round(rnorm(n, 10, 2), digits)
  x2 <- round(x1 + rnorm(n, sample(c(0, 0.5, 1), 1), 1), digits)
  if (runif(1) < 0.3) { same <- runif(n) < 0.3; x2[same] <- x1[same] } # zero differences
  if (runif(1) < 0.1) x2 <- x1 # every difference zero
  x1 <- maybe_missing(x1, 0.05)
  w <- weights_of(n)
  check_pairs(set, w, list(x1, x2))
}

# McNemar (success: the value 1) and marginal homogeneity on two ordinal fields.
check_categories <- function(set, w, fields) {
  c1 <- fields[[1]]; c2 <- fields[[2]]
  add_data("categories", set, w, list(c1, c2))
  e <- expand(w, list(c1, c2))
  a <- e[[1]]; b <- e[[2]]
  N <- length(a)
  if (N == 0) return(invisible())
  s1 <- a == 1; s2 <- b == 1
  tab <- matrix(c(sum(s1 & s2), sum(!s1 & s2), sum(s1 & !s2), sum(!s1 & !s2)), 2)
  changes <- tab[1, 2] + tab[2, 1]
  add("categories", set, "RMcNemar", "TotalN", N)
  if (changes > 0) {
    test <- mcnemar.test(tab)
    add("categories", set, "RMcNemar", "TestStatistic", unname(test$statistic))
    add("categories", set, "RMcNemar", "AsymptoticSig2Tailed", test$p.value)
  } else {
    add("categories", set, "RMcNemar", "TestStatistic", NA)
  }
  add("categories", set, "RMcNemar", "ExactSig2Tailed",
      if (changes > 0) binom.test(tab[1, 2], changes)$p.value else 1, 1e-12)
  # Scores are the category values of both fields' categories (in every case of the set).
  off <- a != b
  T <- sum(a[off]); mean <- sum((a[off] + b[off]) / 2); sd <- sqrt(sum((a[off] - b[off])^2 / 4))
  add("categories", set, "RMarginalHomogeneity", "TotalN", N)
  add("categories", set, "RMarginalHomogeneity", "TestStatistic", T)
  add("categories", set, "RMarginalHomogeneity", "StandardError", sd)
  if (sd > 0) {
    levels <- sort(unique(c(a, b)))
    mh <- mh_test(table(factor(a, levels), factor(b, levels)), scores = list(response = levels))
    z <- (T - mean) / sd
    stopifnot(abs(abs(statistic(mh)) - abs(z)) < 1e-9 * abs(z) + 1e-12)
    add("categories", set, "RMarginalHomogeneity", "StandardizedTestStatistic", z)
    add("categories", set, "RMarginalHomogeneity", "AsymptoticSig2Tailed", pvalue(mh))
  }
}
for (set in seq_len(count[["categories"]])) {
  n <- sample(c(1:10, 20, 40, 80, 150), 1)
  K <- sample(2:5, 1)
  c1 <- sample(1:K, n, replace = TRUE)
  c2 <- ifelse(runif(n) < runif(1), c1, sample(1:K, n, replace = TRUE))
  c2 <- maybe_missing(c2, 0.05)
  w <- weights_of(n)
  check_categories(set, w, list(c1, c2))
}

# The comparison rows of k fields with values v (mean ranks, proportions) and a common standard
# error: each pair with the smaller value first, Bonferroni over k(k-1)/2 pairs.
pairwise <- function(family, set, algorithm, v, se) {
  k <- length(v); row <- 0
  for (a in 1:(k - 1)) for (b in (a + 1):k) {
    f <- if (v[a] <= v[b]) a else b; s <- if (f == a) b else a
    stat <- v[f] - v[s]; z <- stat / se; p <- 2 * pnorm(-abs(z))
    # Fields are named by their column in the data: the set and the weight come first.
    vals <- c(f + 1, s + 1, stat, se, z, p, min(1, p * k * (k - 1) / 2))
    for (col in 0:6) add(family, set, algorithm, sprintf("Content:%d:%d", row, col), vals[col + 1])
    row <- row + 1
  }
}
# Homogeneous subsets (Campbell and Skillings): runs of p adjacent fields in the order of v, p
# from k down to 2, each run not inside an earlier subset tested by `test`; homogeneous when
# 1 - (1 - sig)^(k/p) exceeds alpha.
stepwise <- function(family, set, algorithm, v, test, alpha = 0.05) {
  k <- length(v); order <- order(v); rows <- list(); covered <- rep(FALSE, k)
  for (p in k:2) for (start in 0:(k - p)) {
    end <- start + p - 1
    if (any(vapply(rows, function(r) r[1] <= start && end <= r[2], TRUE))) next
    t <- test(order[(start + 1):(end + 1)])
    adj <- 1 - (1 - t[2])^(k / p)
    if (is.na(adj) || adj > alpha) {
      rows[[length(rows) + 1]] <- c(start, end, t[1], NA, NA, t[2], adj)
      covered[(start + 1):(end + 1)] <- TRUE
    }
  }
  for (j in which(!covered)) rows[[length(rows) + 1]] <- c(j - 1, j - 1, NA, NA, NA, NA, NA)
  rows <- rows[order(vapply(rows, `[`, 0, 1))]
  for (r in seq_along(rows)) for (col in 0:6)
    add(family, set, algorithm, sprintf("Content:%d:%d", r - 1, col), rows[[r]][col + 1])
}

friedman <- function(m) {
  if (ncol(m) < 2 || nrow(m) < 1) return(c(NA, NA))
  r <- t(apply(m, 1, rank))
  if (ncol(m) == 1) r <- t(r)
  k <- ncol(m); n <- nrow(m)
  ties <- sum(apply(m, 1, function(x) { t <- table(x); sum(t^3 - t) }))
  den <- n * k * (k + 1) - ties / (k - 1)
  if (den <= 0) return(c(NA, NA))
  stat <- 12 * sum((colSums(r) - n * (k + 1) / 2)^2) / den
  c(stat, pchisq(stat, k - 1, lower.tail = FALSE))
}

# Friedman (pairwise) and Kendall's W (stepwise) on k continuous fields.
check_ranks <- function(family, set, w, fields) {
  k <- length(fields)
  add_data(family, set, w, fields)
  m <- do.call(cbind, expand(w, fields))
  N <- nrow(m)
  if (N == 0) return(invisible())
  f <- friedman(m)
  if (!is.na(f[1]) && N > 1) {
    ref <- friedman.test(m)
    stopifnot(abs(ref$statistic - f[1]) < 1e-9 * f[1] + 1e-12)
  }
  means <- colMeans(t(apply(m, 1, rank)) |> matrix(ncol = k))
  for (alg in c("RFriedmansTwoWayByRanks", "RKendallsCoefficient")) {
    add(family, set, alg, "TotalN", N)
    add(family, set, alg, "TestStatistic", f[1])
    if (!is.na(f[1])) add(family, set, alg, "AsymptoticSig2Tailed", f[2])
  }
  add(family, set, "RKendallsCoefficient", "KendallsW", f[1] / (N * (k - 1)))
  # The effect size's estimate (its bootstrap bounds come from the engine's own random stream).
  for (alg in c("RFriedmansTwoWayByRanks", "RKendallsCoefficient"))
    add(family, set, alg, "Estimate", f[1] / (N * (k - 1)))
  pairwise(family, set, "RFriedmansTwoWayByRanks", means, sqrt(k * (k + 1) / (6 * N)))
  stepwise(family, set, "RKendallsCoefficient", means, function(cols) friedman(m[, cols, drop = FALSE]))
}
for (k in ks) for (set in seq_len(count[["k"]])) {
  family <- paste0("ranks", k)
  n <- sample(c(1:8, 12, 20, 40), 1)
  digits <- sample(c(0, 0, 1, 2), 1)
  shift <- runif(k, 0, sample(c(0, 1, 2), 1))
  fields <- lapply(1:k, function(j) round(rnorm(n, shift[j]), digits))
  if (runif(1) < 0.3) { all <- sample(n, max(1, n %/% 3)); for (j in 2:k) fields[[j]][all] <- fields[[1]][all] }
  fields[[k]] <- maybe_missing(fields[[k]], 0.05)
  w <- weights_of(n)
  check_ranks(family, set, w, fields)
}

cochran <- function(b) {
  k <- ncol(b); C <- colSums(b); R <- rowSums(b); total <- sum(b)
  den <- k * total - sum(R^2)
  if (den <= 0) return(c(NA, NA, den))
  q <- (k - 1) * (k * sum(C^2) - total^2) / den
  c(q, pchisq(q, k - 1, lower.tail = FALSE), den)
}

# Cochran's Q (success: the value 1) on k dichotomous fields, pairwise for odd k, stepwise else.
check_cochran <- function(family, set, w, fields) {
  k <- length(fields)
  add_data(family, set, w, fields)
  b <- do.call(cbind, expand(w, fields))
  N <- nrow(b)
  if (N == 0) return(invisible())
  q <- cochran(b)
  add(family, set, "RCochransQ", "TotalN", N)
  add(family, set, "RCochransQ", "TestStatistic", q[1])
  if (!is.na(q[1])) add(family, set, "RCochransQ", "AsymptoticSig2Tailed", q[2])
  if (k %% 2 == 1) {
    se <- sqrt(2 * q[3] / (N^2 * k * (k - 1)))
    if (se > 0) pairwise(family, set, "RCochransQ", colSums(b) / N, se)
  } else {
    stepwise(family, set, "RCochransQ", colSums(b), function(cols) cochran(b[, cols, drop = FALSE])[1:2])
  }
}
for (k in ks) for (set in seq_len(count[["k"]])) {
  family <- paste0("cochran", k)
  n <- sample(c(1:8, 12, 20, 40), 1)
  p <- runif(k, 0.2, 0.8)
  fields <- lapply(1:k, function(j) as.numeric(runif(n) < p[j]))
  if (runif(1) < 0.2) for (j in 2:k) fields[[j]] <- fields[[1]]
  fields[[1]] <- maybe_missing(fields[[1]], 0.05)
  w <- weights_of(n)
  check_cochran(family, set, w, fields)
}

# The bundled data sets of examples/data, each one more set of its family.
examples <- "examples/data"
sleep <- read.csv(file.path(examples, "sleep.csv"))
check_pairs(count[["pairs"]] + 1, rep(1, nrow(sleep)), list(sleep$drug1, sleep$drug2))
status <- read.csv(file.path(examples, "occupationalStatus.csv"))
check_categories(count[["categories"]] + 1, status$Freq, list(status$origin, status$destination))
judges <- read.csv(file.path(examples, "USJudgeRatings.csv"))
ratings <- lapply(c("INTG", "DMNR", "DILG", "CFMG"), function(name) judges[[name]])
check_ranks("ranks4", count[["k"]] + 1, rep(1, nrow(judges)), ratings)
check_cochran("cochran4", count[["k"]] + 1, rep(1, nrow(judges)),
              lapply(ratings, function(x) as.numeric(x >= 8)))

data <- do.call(rbind, data_rows)
names(data) <- c("family", "set", "w", paste0("v", 1:10))
expected <- do.call(rbind, figures)
if (reference) {
  text <- data
  for (j in 3:13) text[[j]] <- ifelse(is.na(text[[j]]), "", fmt(text[[j]]))
  write.table(text, file.path(out, "related-data.tsv"), sep = "\t", quote = FALSE, row.names = FALSE)
  write.table(expected, file.path(out, "related.tsv"), sep = "\t", quote = FALSE, row.names = FALSE)
  quit(status = 0)
}

# The command and the fields' measurement levels of each family.
command_of <- function(family) {
  k <- as.integer(sub("^[a-z]+", "", family))
  fields <- function(n) paste(paste0("v", 1:n), collapse = " ")
  if (family == "pairs") return("NPTESTS /RELATED TEST(v1 v2) SIGN WILCOXON HODGES_LEHMANN.")
  if (family == "categories")
    return("NPTESTS /RELATED TEST(v1 v2) MCNEMAR(SUCCESS=LIST(1)) MARGINAL_HOMOGENEITY.")
  if (startsWith(family, "ranks"))
    return(sprintf("NPTESTS /RELATED TEST(%s) FRIEDMAN(COMPARE=PAIRWISE) KENDALL(COMPARE=STEPWISE).",
                   fields(k)))
  sprintf("NPTESTS /RELATED TEST(%s) COCHRAN(SUCCESS=LIST(1) COMPARE=%s).", fields(k),
          if (k %% 2 == 1) "PAIRWISE" else "STEPWISE")
}
measure_of <- function(family) if (family %in% c("pairs") || startsWith(family, "ranks")) "scale" else
  if (family == "categories") "ordinal" else "nominal"

# The figure of a saved document: an attribute of the algorithm's record, or a number of the n-th
# row of its "Content" table.
figure_of <- function(text, algorithm, figure) {
  start <- regexpr(sprintf('<Algorithm name="%s"', algorithm), text, fixed = TRUE)
  if (start < 0) return(NA_character_)
  block <- substring(text, start)
  block <- substring(block, 1, regexpr("</Algorithm>", block, fixed = TRUE))
  if (startsWith(figure, "Content:")) {
    at <- as.integer(strsplit(figure, ":")[[1]][2:3])
    content <- sub('.*<SimpleTable name="Content">', "", block)
    rows <- regmatches(content, gregexpr("<Row>[^<]*</Row>", content))[[1]]
    if (at[1] + 1 > length(rows)) return(NA_character_)
    return(strsplit(gsub("</?Row>", "", rows[at[1] + 1]), " ")[[1]][at[2] + 1])
  }
  m <- regmatches(block, regexec(sprintf('<Attribute name="%s" value="([^"]*)"', figure), block))[[1]]
  if (length(m) < 2) NA_character_ else m[2]
}

program <- args[1]
failures <- 0
work <- tempfile("related-check")
dir.create(work)
for (family in unique(data$family)) {
  rows <- data[data$family == family, ]
  used <- which(vapply(4:13, function(j) any(!is.na(rows[[j]])), TRUE))
  csv <- rows[, c("set", "w", paste0("v", used))]
  for (j in 2:ncol(csv)) csv[[j]] <- ifelse(is.na(csv[[j]]), "", fmt(csv[[j]]))
  base <- file.path(work, family)
  write.csv(csv, paste0(base, ".csv"), row.names = FALSE, quote = FALSE)
  variables <- c('{"name": "set", "measure": "nominal"}', '{"name": "w", "measure": "scale"}',
                 sprintf('{"name": "v%d", "measure": "%s"}', used, measure_of(family)))
  writeLines(sprintf('{"variables": [%s], "weight": "w"}', paste(variables, collapse = ", ")),
             paste0(base, ".json"))
  writeLines(command_of(family), paste0(base, ".sps"))
  saved <- file.path(work, paste0(family, "-out"))
  status <- system2(program, c("--data", paste0(base, ".csv"), "--dictionary", paste0(base, ".json"),
                               "--split-by", "set", "--syntax-file", paste0(base, ".sps"),
                               "--save-results", saved), stdout = FALSE,
                    stderr = paste0(base, ".err"))
  if (status != 0) stop(sprintf("%s: the program failed (status %d): %s", family, status,
                                paste(readLines(paste0(base, ".err")), collapse = "\n")))
  files <- list.files(saved, pattern = "\\.xml$", full.names = TRUE)
  set_of <- as.integer(sub(".*_([0-9]+)\\.xml$", "\\1", files))
  want <- expected[expected$family == family, ]
  for (i in seq_len(nrow(want))) {
    file <- files[set_of == want$set[i]]
    text <- if (length(file) == 1) paste(readLines(file, warn = FALSE), collapse = "\n") else ""
    got <- figure_of(text, want$algorithm[i], want$figure[i])
    value <- suppressWarnings(as.numeric(if (identical(got, "__MISSING__")) NA else got))
    r <- as.numeric(want$value[i])
    ok <- if (is.na(r)) !is.na(got) && is.na(value) else
      !is.na(value) && abs(value - r) <= want$tolerance[i] * abs(r) + 1e-15
    if (!ok) {
      failures <- failures + 1
      if (failures <= 30)
        cat(sprintf("%s set %d %s %s: engine %s, R %s\n", family, want$set[i], want$algorithm[i],
                    want$figure[i], got, want$value[i]))
    }
  }
}
cat(sprintf("related samples: %d figures checked, %d differ\n", nrow(expected), failures))
quit(status = if (failures > 0) 1 else 0)
