// The system-missing value: the most negative finite double. It marks a number that is absent.
#pragma once

double VORN_SystemMissing();
