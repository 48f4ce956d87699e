// The host's settings for drawing charts, made by the program before it runs procedures.
#pragma once

class ChartSettings {
public:
  // Charts told apart by colour alone, without fill patterns. Off by default.
  static bool UseColorsOnly();
  static void SetUseColorsOnly(bool colorsOnly);

private:
  ChartSettings() = delete;
};
