#include "base/hook.h"

#include <gtest/gtest.h>

#include <QString>

namespace miravela {
namespace {

TEST(Hook, UnsetOrEmptyAnswersTheEmptyValueAndNeverThrows) {
  Hook<void()> accion;
  Hook<bool()> pregunta = std::function<bool()>();  // an empty callable leaves it unset
  Hook<int(int)> numero = static_cast<int (*)(int)>(nullptr);
  Hook<QString(const QString&)> texto;
  EXPECT_NO_THROW(accion());
  EXPECT_FALSE(pregunta());
  EXPECT_EQ(numero(7), 0);
  EXPECT_EQ(texto("x"), QString());
  EXPECT_FALSE(accion || pregunta || numero || texto);
}

TEST(Hook, SetCallsThroughAndEventReachesEveryListener) {
  int llamadas = 0;
  Hook<int(int)> doble = [&](int n) {
    ++llamadas;
    return 2 * n;
  };
  EXPECT_TRUE(doble);
  EXPECT_EQ(doble(21), 42);
  EXPECT_EQ(llamadas, 1);

  Event<int> evento;
  std::vector<int> oidos;
  evento.Subscribe([&](int n) { oidos.push_back(n); });
  evento.Subscribe([&](int n) { oidos.push_back(-n); });
  evento.Raise(5);
  EXPECT_EQ(oidos, std::vector<int>({5, -5}));
}

}  // namespace
}  // namespace miravela
