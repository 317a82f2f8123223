#include "platform/console.h"
#include "tests/etat_fixture.h"

TEST(Console, ReadsNumbersWordsAndEnd) {
  ConsoleCapture console;
  long long v = 7;
  console.entree("40 50\nabc def\n-3\n99999999999999999999999\n");
  EXPECT_EQ(Lecture::Nombre, lireEntierConsole(v));
  EXPECT_EQ(40, v);
  EXPECT_EQ(Lecture::Nombre, lireEntierConsole(v));  // the rest of the line waits
  EXPECT_EQ(50, v);
  EXPECT_EQ(Lecture::Mot, lireEntierConsole(v));  // word: value kept, line dropped
  EXPECT_EQ(50, v);
  EXPECT_EQ(Lecture::Nombre, lireEntierConsole(v));
  EXPECT_EQ(-3, v);
  EXPECT_EQ(Lecture::Nombre, lireEntierConsole(v));  // overflow: the bound
  EXPECT_EQ(std::numeric_limits<long long>::max(), v);
  EXPECT_EQ(Lecture::Fin, lireEntierConsole(v));
  EXPECT_EQ(Lecture::Fin, lireEntierConsole(v));  // stays failed, never blocks
}
