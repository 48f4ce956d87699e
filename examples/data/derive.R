# Writes the derived data sets of the bundled examples from the ones beside this script (R's own
# data sets as CSV): run from this folder, `Rscript derive.R`; its output is committed.
#   ozone_high.csv       the days of airquality with ozone above 80 ppb, as ISO dates of 1973
#   USJudgeRatings8.csv  each of four ratings of the 43 judges as 1 when 8 or more, else 0
air <- read.csv("airquality.csv")
high <- air[!is.na(air$Ozone) & air$Ozone > 80, ]
dates <- format(as.Date(sprintf("1973-%02d-%02d", high$Month, high$Day)), "%Y-%m-%d")
write.csv(data.frame(Date = dates, Ozone = high$Ozone), "ozone_high.csv", row.names = FALSE,
          quote = FALSE)

judges <- read.csv("USJudgeRatings.csv")
eight <- data.frame(judge = judges$judge)
for (name in c("INTG", "DMNR", "DILG", "CFMG"))
  eight[[paste0(name, "8")]] <- as.integer(judges[[name]] >= 8)
write.csv(eight, "USJudgeRatings8.csv", row.names = FALSE, quote = FALSE)
