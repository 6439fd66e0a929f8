#include "mainwindow/FensterGroesse.h"

#include <gtest/gtest.h>

namespace tvn {
namespace {

struct TCase {
  const char* name;
  int workWidth, workHeight;
  TFensterGroesse expected;
};

// The main window asks for 1200 x 900 with at least 1000 x 700 and no maximum.
TEST(FensterGroesse, MainWindowSizeFollowsTheWorkArea) {
  const TCase cases[] = {
      {"large screen", 1920, 1040, {1200, 900, 1000, 700, 0, 0}},
      {"smaller than the wish", 1100, 800, {1100, 800, 1000, 700, 0, 0}},
      {"smaller than the minimum", 800, 600, {800, 600, 800, 600, 0, 0}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FensterGroesseBerechnen(1200, 900, 1000, 700, 0, 0, c.workWidth, c.workHeight),
              c.expected)
        << c.name;
  }
}

TEST(FensterGroesse, MaximumNeverBelowMinimum) {
  EXPECT_EQ(FensterGroesseBerechnen(1200, 900, 1000, 700, 500, 800, 1920, 1040),
            (TFensterGroesse{1000, 800, 1000, 700, 1000, 800}));
}

}  // namespace
}  // namespace tvn
