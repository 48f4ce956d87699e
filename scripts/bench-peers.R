# The engine benchmark's R side: one test on one data file, as an R user would run it: read with
# data.table::fread, then the test from stats (or rstatix, or the textbook formula where R has no
# function). Prints the seconds from the start of reading to the result.
# Usage: Rscript scripts/bench-peers.R TEST FILE.csv
suppressPackageStartupMessages(library(data.table))
args <- commandArgs(trailingOnly = TRUE)
test <- args[1]
file <- args[2]

runs_z <- function(x, cut) {
  s <- x > cut
  n1 <- sum(!s); n2 <- sum(s); n <- n1 + n2
  r <- 1 + sum(s[-1] != s[-n])
  mu <- 2 * n1 * n2 / n + 1
  v <- 2 * n1 * n2 * (2 * n1 * n2 - n) / (n^2 * (n - 1))
  2 * pnorm(-abs((r - mu) / sqrt(v)))
}

jt_p <- function(x, g) {
  # Jonckheere-Terpstra with ties (Lehmann 1975): Mann-Whitney counts over ordered pairs of groups.
  lv <- sort(unique(g)); k <- length(lv)
  js <- 0
  for (i in 1:(k - 1)) for (j in (i + 1):k) {
    a <- x[g == lv[i]]; b <- x[g == lv[j]]
    r <- rank(c(a, b))
    js <- js + sum(r[(length(a) + 1):length(r)]) - length(b) * (length(b) + 1) / 2
  }
  n <- length(x); ni <- tabulate(match(g, lv)); t <- table(x)
  e <- (n^2 - sum(ni^2)) / 4
  v <- (n * (n - 1) * (2 * n + 5) - sum(ni * (ni - 1) * (2 * ni + 5)) -
        sum(t * (t - 1) * (2 * t + 5))) / 72 +
       sum(ni * (ni - 1) * (ni - 2)) * sum(t * (t - 1) * (t - 2)) / (36 * n * (n - 1) * (n - 2)) +
       sum(ni * (ni - 1)) * sum(t * (t - 1)) / (8 * n * (n - 1))
  2 * pnorm(-abs((js - e) / sqrt(v)))
}

cochran_p <- function(m) {
  k <- ncol(m); cs <- colSums(m); rs <- rowSums(m)
  q <- (k - 1) * (k * sum(cs^2) - sum(cs)^2) / (k * sum(rs) - sum(rs^2))
  pchisq(q, k - 1, lower.tail = FALSE)
}

start <- proc.time()[["elapsed"]]
d <- fread(file, showProgress = FALSE)
p <- switch(test,
  chisquare = chisq.test(table(d$cat))$p.value,
  binomial = binom.test(sum(d$x <= 0), nrow(d))$p.value,
  runs = runs_z(d$x, median(d$x)),
  wilcoxon = wilcox.test(d$x, mu = 0, exact = FALSE, correct = FALSE)$p.value,
  ks = ks.test(d$x, "pnorm", exact = FALSE)$p.value,
  fieldinfo = { h <- hist(d$x, plot = FALSE); c(mean(d$x), sd(d$x), h$counts)[1] },
  mannwhitney = wilcox.test(x ~ g2, data = d, exact = FALSE, correct = FALSE)$p.value,
  kruskal = {
    k <- kruskal.test(x ~ g, data = d)$p.value
    dunn <- rstatix::dunn_test(d, x ~ g, p.adjust.method = "bonferroni")
    k
  },
  jonckheere = jt_p(d$x, d$g),
  median = { m <- median(d$x); chisq.test(table(d$x > m, d$g), correct = FALSE)$p.value },
  friedman = friedman.test(as.matrix(d[, .(r1, r2, r3, r4)]))$p.value,
  cochran = cochran_p(as.matrix(d[, .(b1, b2, b3, b4)])),
  stop("unknown test ", test))
cat(sprintf("%.6f %.10g\n", proc.time()[["elapsed"]] - start, p))
