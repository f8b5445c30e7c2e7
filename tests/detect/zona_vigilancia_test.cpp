#include "detect/zona_vigilancia.h"

#include <gtest/gtest.h>

#include <QFile>

#include "detect/detect_rig.h"

namespace miravela {
namespace {

using test::DetectRig;

QByteArray Leer(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The cell of row r and column c (0-based), as PuntoEnZona numbers it.
int Celda(int r, int c) { return 16 * r + c + 1; }

TEST(PuntoEnZona, BandsAndBoundaries) {
  struct Case {
    double v;
    int columna, fila;
  } cases[] = {{79, 0, 1},    {80, 1, 1},    {365, 1, 2},  {366, 2, 2},   {650, 2, 3},
               {49.5, 0, 0},  {50, 0, 1},    {335, 1, 1},  {336, 1, 2},   {3470, 12, 12},
               {3471, 12, 0}, {4640, 16, 0}, {4641, 0, 0}, {4355, 15, 0}, {4356, 16, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(ColumnaZona(c.v), c.columna) << c.v;
    EXPECT_EQ(FilaZona(c.v), c.fila) << c.v;
  }
}

TEST(PuntoEnZona, OnlyZoneCellsAndNotesTheCell) {
  DetectRig rig;
  rig.zona->ActivarZona();
  EXPECT_FALSE(rig.zona->PuntoEnZona(200, 200));  // empty zone
  rig.zona->LblCelda_Click(1);
  rig.zona->LblCelda_Click(Celda(11, 15));
  EXPECT_TRUE(rig.zona->PuntoEnZona(365, 335));  // boundaries belong to cell 1
  EXPECT_EQ(rig.zona->CeldaActual(), 1);
  EXPECT_FALSE(rig.zona->PuntoEnZona(366, 200));
  EXPECT_FALSE(rig.zona->PuntoEnZona(79, 200));  // the first pixels are never in the zone
  EXPECT_FALSE(rig.zona->PuntoEnZona(200, 49));
  EXPECT_EQ(rig.zona->CeldaActual(), 1);  // unchanged by a miss
  EXPECT_TRUE(rig.zona->PuntoEnZona(4640, 3470));
  EXPECT_EQ(rig.zona->CeldaActual(), 192);
}

TEST(ZonaVigilancia, GridGeometry) {
  DetectRig rig;
  rig.zona->ActivarZona();
  ASSERT_TRUE(rig.zona->GrillaCreada());
  const FormaCelda& first = rig.zona->ShpCelda(1);
  EXPECT_EQ(QRect(first.Left, first.Top, first.Width, first.Height), QRect(100, 70, 300, 300));
  const FormaCelda& last = rig.zona->ShpCelda(192);
  EXPECT_EQ(QRect(last.Left, last.Top, last.Width, last.Height), QRect(4375, 3205, 300, 300));
  EXPECT_EQ(rig.zona->LblCelda(17).Top, 355);
  EXPECT_EQ(rig.zona->LblCelda(17).ToolTipText, " Sin Alarma ");
  for (int n = 1; n <= kCeldas; ++n) ASSERT_TRUE(rig.zona->ShpCelda(n).Visible && rig.zona->LblCelda(n).Visible);
}

TEST(ZonaVigilancia, CaptionFollowsTheCells) {
  DetectRig rig;
  rig.zona->ActivarZona();
  EXPECT_EQ(rig.boton7.Appearance, 1);
  EXPECT_EQ(rig.lblSensor7.Appearance, 1);
  EXPECT_EQ(rig.lblSensor7.BackColor, 0xC0C0FFu);
  EXPECT_EQ(rig.lblSensor7.Caption, "0%");
  struct Step {
    int cells;
    const char* caption;
  } steps[] = {{1, "1%"}, {3, "2%"}, {96, "50%"}, {192, "100%"}};
  int clicked = 0;
  for (const Step& s : steps) {
    while (clicked < s.cells) rig.zona->LblCelda_Click(++clicked);
    EXPECT_EQ(rig.zona->CeldasZona(), s.cells);
    EXPECT_EQ(rig.lblSensor7.Caption, s.caption);
  }
  rig.zona->LblCelda_Click(5);
  EXPECT_EQ(rig.zona->CeldasZona(), 191);
  EXPECT_EQ(rig.zona->Zona(5).Derecha, 0);
  EXPECT_EQ(rig.zona->AlarmaCelda(5), "Sin Alarma");
  EXPECT_EQ(rig.zona->LblCelda(5).ToolTipText, " Sin Alarma ");
}

TEST(ZonaVigilancia, ClickTakesTheChosenAlarm) {
  DetectRig rig;
  rig.zona->ActivarZona();
  rig.entradas.alarma = "Perro";
  rig.zona->LblCelda_Click(18);
  const CeldaZona& c = rig.zona->Zona(18);
  EXPECT_EQ((std::array<int, 4>{c.Izquierda, c.Arriba, c.Derecha, c.Abajo}), (std::array<int, 4>{385, 355, 685, 655}));
  EXPECT_EQ(rig.zona->AlarmaCelda(18), "Perro");
  EXPECT_EQ(rig.zona->LblCelda(18).ToolTipText, " Perro ");
  EXPECT_EQ(rig.zona->ShpCelda(18).BorderStyle, 1);
  EXPECT_EQ(rig.zona->ShpCelda(18).FillStyle, 5);
}

TEST(ZonaVigilancia, SwitchingOffKeepsTheZone) {
  DetectRig rig;
  rig.zona->ActivarZona();
  rig.zona->LblCelda_Click(7);
  rig.zona->ActivarZona();
  EXPECT_EQ(rig.boton7.Appearance, 0);
  EXPECT_EQ(rig.lblSensor7.Caption, "100%");
  EXPECT_EQ(rig.lblSensor7.Appearance, 0);
  EXPECT_EQ(rig.lblSensor7.BackColor, 0xE0E0E0u);
  EXPECT_FALSE(rig.zona->ShpCelda(7).Visible);
  rig.zona->LblCelda_Click(8);  // hidden cells take no clicks
  EXPECT_EQ(rig.zona->CeldasZona(), 1);
  rig.zona->ActivarZona();
  EXPECT_EQ(rig.lblSensor7.Caption, "1%");
  EXPECT_TRUE(rig.zona->ShpCelda(7).EnZona());
}

TEST(ZonaVigilancia, SwitchingOffWhileTrackingStopsAutoAdjust) {
  DetectRig rig;
  rig.zona->ActivarZona();
  rig.autoajuste.activo = true;
  rig.zona->ActivarZona();
  EXPECT_TRUE(rig.autoajuste.activo);  // tracking off: auto-adjust goes on
  rig.zona->ActivarZona();
  rig.boton15.Appearance = 1;
  rig.zona->ActivarZona();
  EXPECT_FALSE(rig.autoajuste.activo);
}

TEST(ZonaVigilancia, OverlayHidesAndShowsWithThePointer) {
  DetectRig rig;
  rig.zona->ActivarZona();
  rig.zona->LblCelda_Click(3);
  rig.zona->OcultarSuperposicion();
  EXPECT_FALSE(rig.zona->ShpCelda(3).Visible);
  EXPECT_TRUE(rig.zona->ShpCelda(4).Visible);
  rig.zona->LblCelda_MouseMove();
  EXPECT_TRUE(rig.zona->ShpCelda(3).Visible);
}

TEST(ZonaVigilancia, ClearingAsksFirst) {
  DetectRig rig;
  rig.zona->ActivarZona();
  for (int n : {2, 40, 192}) rig.zona->LblCelda_Click(n);

  rig.mensajes.answers = {RespuestaMensaje::No};
  rig.zona->ImgLimpiarZona_Click();
  ASSERT_EQ(rig.mensajes.shown.size(), 1u);
  const auto& m = rig.mensajes.shown[0];
  EXPECT_EQ(m.text, QString::fromUtf8("¿Desea realmente limpiar la zona de vigilancia actual?"));
  EXPECT_EQ(m.title, "Miravela - Limpiar Zona");
  EXPECT_EQ(m.icon, IconoMensaje::Pregunta);
  EXPECT_EQ(m.buttons, BotonesMensaje::SiNo);
  EXPECT_EQ(m.defaultButton, RespuestaMensaje::No);
  EXPECT_EQ(rig.zona->CeldasZona(), 3);

  rig.mensajes.answers = {RespuestaMensaje::Si};
  rig.zona->ImgLimpiarZona_Click();
  EXPECT_EQ(rig.zona->CeldasZona(), 0);
  EXPECT_EQ(rig.lblSensor7.Caption, "0%");
  EXPECT_FALSE(rig.zona->Zona(40).EnZona());
}

TEST(ZonaVigilancia, ClearingNeedsCameraAndZone) {
  DetectRig rig;
  rig.zona->ImgLimpiarZona_Click();  // zone off
  rig.zona->ActivarZona();
  rig.boton0.Appearance = 0;
  rig.zona->ImgLimpiarZona_Click();  // camera not connected
  EXPECT_TRUE(rig.mensajes.shown.empty());
}

TEST(ZonaVigilancia, FilesSurviveARestartByteForByte) {
  QByteArray zna, alz;
  QString carpeta;
  DetectRig first;
  first.zona->ActivarZona();
  first.entradas.alarma = QString::fromUtf8("Alarma Niño");
  first.zona->LblCelda_Click(1);
  first.entradas.alarma = "Sirena";
  first.zona->LblCelda_Click(100);
  first.zona->GuardarZona();
  first.zona->GuardarAlarmasZona();
  zna = Leer(first.Recursos() + "/Miravela.ZNA");
  alz = Leer(first.Recursos() + "/Miravela.ALZ");
  ASSERT_EQ(zna.size(), 1536);
  ASSERT_EQ(alz.size(), 48960);
  EXPECT_EQ(zna.left(8), QByteArray("\x64\x00\x46\x00\x90\x01\x72\x01", 8));  // 100, 70, 400, 370
  EXPECT_EQ(zna.mid(8, 8), QByteArray(8, '\0'));
  EXPECT_EQ(alz.left(12), QByteArray("Alarma Ni\xF1o "));
  EXPECT_EQ(alz.mid(255, 11), QByteArray("Sin Alarma "));
  EXPECT_EQ(alz.mid(99 * 255, 255), QByteArray("Sirena") + QByteArray(249, ' '));

  DetectRig second;
  test::WriteAll(second.Recursos() + "/Miravela.ZNA", zna);
  test::WriteAll(second.Recursos() + "/Miravela.ALZ", alz);
  second.zona->ActivarZona();
  EXPECT_EQ(second.zona->CeldasZona(), 2);
  EXPECT_EQ(second.lblSensor7.Caption, "1%");
  EXPECT_EQ(second.zona->AlarmaCelda(1), QString::fromUtf8("Alarma Niño"));
  EXPECT_EQ(second.zona->LblCelda(100).ToolTipText, " Sirena ");
  EXPECT_TRUE(second.zona->ShpCelda(100).EnZona());  // drawn as a zone cell at once
  second.zona->GuardarZona();
  second.zona->GuardarAlarmasZona();
  EXPECT_EQ(Leer(second.Recursos() + "/Miravela.ZNA"), zna);
  EXPECT_EQ(Leer(second.Recursos() + "/Miravela.ALZ"), alz);
}

TEST(ZonaVigilancia, AlarmNamesReadBackAsTheCellsShowThem) {
  const QString largo = QString(300, QChar(u'a'));
  const QString cjk = QString::fromUtf8("警報").repeated(60);   // 360 bytes of UTF-8
  const QString emoji = QString::fromUtf8("xx🔔").repeated(60);  // a 4-byte character across byte 255
  const QString mojibake = QString::fromUtf8("Ã©Ã±.wav");       // Windows-1252 bytes that are also UTF-8
  const struct {
    QString nombre, guardado;
  } casos[] = {
      {largo, largo.left(255)},
      {cjk, cjk.left(85)},
      {emoji, emoji.left(42 * 4 + 2)},
      {mojibake, mojibake},
      {QString::fromUtf8(" Sirena\u0081 "), QString::fromUtf8("Sirena\u0081")},
  };
  for (const auto& c : casos) {
    DetectRig first;
    first.zona->ActivarZona();
    first.entradas.alarma = c.nombre;
    first.zona->LblCelda_Click(7);
    EXPECT_EQ(first.zona->AlarmaCelda(7), c.guardado);
    EXPECT_EQ(first.zona->LblCelda(7).ToolTipText, ' ' + c.guardado + ' ');
    first.zona->GuardarZona();
    first.zona->GuardarAlarmasZona();
    const QByteArray alz = Leer(first.Recursos() + "/Miravela.ALZ");
    ASSERT_EQ(alz.size(), 48960);

    DetectRig second;
    test::WriteAll(second.Recursos() + "/Miravela.ALZ", alz);
    second.zona->ActivarZona();
    EXPECT_EQ(second.zona->AlarmaCelda(7), c.guardado);
    second.zona->GuardarAlarmasZona();
    EXPECT_EQ(Leer(second.Recursos() + "/Miravela.ALZ"), alz);
  }
}

TEST(ZonaVigilancia, FilesUntouchedWhenTheGridWasNeverBuilt) {
  DetectRig rig;
  test::WriteAll(rig.Recursos() + "/Miravela.ZNA", "old");
  rig.zona->GuardarZona();
  rig.zona->GuardarAlarmasZona();
  EXPECT_EQ(Leer(rig.Recursos() + "/Miravela.ZNA"), "old");
  EXPECT_FALSE(QFile::exists(rig.Recursos() + "/Miravela.ALZ"));
}

TEST(ZonaVigilancia, MissingAlarmFileIsCreatedWithoutAlarms) {
  DetectRig rig;
  QByteArray zna(1536, '\0');
  zna.replace(0, 8, QByteArray("\x64\x00\x46\x00\x90\x01\x72\x01", 8));
  test::WriteAll(rig.Recursos() + "/Miravela.ZNA", zna);
  rig.zona->ActivarZona();
  EXPECT_EQ(rig.zona->AlarmaCelda(1), "Sin Alarma");
  const QByteArray alz = Leer(rig.Recursos() + "/Miravela.ALZ");
  ASSERT_EQ(alz.size(), 48960);
  EXPECT_EQ(alz.mid(191 * 255, 255), QByteArray("Sin Alarma") + QByteArray(245, ' '));
}

TEST(ZonaVigilancia, ClearingRemovesCellsReadFromTheFile) {
  DetectRig rig;
  QByteArray zna(1536, '\0');
  zna.replace(0, 8, QByteArray("\x64\x00\x46\x00\x90\x01\x72\x01", 8));
  test::WriteAll(rig.Recursos() + "/Miravela.ZNA", zna);
  rig.zona->ActivarZona();
  rig.mensajes.answers = {RespuestaMensaje::Si};
  rig.zona->ImgLimpiarZona_Click();
  EXPECT_EQ(rig.zona->CeldasZona(), 0);
  EXPECT_FALSE(rig.zona->Zona(1).EnZona());
}

}  // namespace
}  // namespace miravela
