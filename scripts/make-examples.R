# Writes the bundled result documents (examples/*.xml) with the engine, from the data sets of
# examples/data and the runs of examples/examples.json: each run's data, dictionary, command and
# split column through `nptests --data ... --save-results`. The engine is seeded by each command's
# /CRITERIA SEED, so a rerun writes the same bytes; CI reruns it and compares.
# Usage: Rscript scripts/make-examples.R [NPTESTS [OUT_DIR]]
#        (NPTESTS defaults to build/bin/nptests, OUT_DIR to examples/)
suppressPackageStartupMessages(library(jsonlite))
args <- commandArgs(trailingOnly = TRUE)
root <- normalizePath(file.path(dirname(sub("^--file=", "", grep("^--file=", commandArgs(), value = TRUE))), ".."))
examples <- file.path(root, "examples")
nptests <- if (length(args) >= 1) args[1] else file.path(root, "build", "bin", "nptests")
out <- if (length(args) >= 2) args[2] else examples
dir.create(out, showWarnings = FALSE, recursive = TRUE)

manifest <- fromJSON(file.path(examples, "examples.json"), simplifyVector = FALSE)
split_runs <- fromJSON(file.path(examples, "split-runs.json"), simplifyVector = FALSE)$splitRuns

for (run in manifest$runs) {
  saved <- tempfile("examples-")
  dir.create(saved)
  command <- c("--data", file.path(examples, run$data), "--syntax-file", file.path(examples, run$syntax),
               "--save-results", saved, "--format", "text", "-o", file.path(saved, "report.txt"))
  if (!is.null(run$dictionary)) command <- c(command, "--dictionary", file.path(examples, run$dictionary))
  if (!is.null(run$splitBy)) command <- c(command, "--split-by", run$splitBy)
  status <- system2(nptests, command)
  if (status != 0) stop("nptests failed on the run ", run$name, " (exit status ", status, ")")
  stem <- sub("\\.sps$", "", basename(run$syntax))
  if (is.null(run$splitBy)) {
    file.copy(file.path(saved, paste0(stem, ".xml")), file.path(out, paste0(run$name, ".xml")), overwrite = TRUE)
  } else {
    # A split run's documents are named in split-runs.json, one for each "VAR=VALUE".
    split <- Filter(function(s) s$syntax == run$syntax, split_runs)[[1]]
    for (i in seq_along(split$documents)) {
      value <- sub("^[^=]*=", "", split$split[[i]])
      from <- file.path(saved, paste0(stem, "_", value, ".xml"))
      if (!file.exists(from)) stop("the run ", run$name, " saved no document for ", split$split[[i]])
      file.copy(from, file.path(out, split$documents[[i]]), overwrite = TRUE)
    }
  }
  unlink(saved, recursive = TRUE)
  cat("made", run$name, "\n")
}
