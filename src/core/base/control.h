#pragma once
// A named control of a window as the model holds it: the properties handlers read
// and write, in the units the window uses (twips for positions, 0x00BBGGRR colours).
#include <QString>
#include <QStringList>
#include <cstdint>

namespace miravela {

using Color = std::uint32_t;  // red + 256 * green + 65536 * blue

constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

struct Control {
  bool Visible = true;
  bool Enabled = true;
  QString Caption;
  QString Tag;
  QString ToolTipText;
  Color BackColor = 0xFFFFFF;
  Color ForeColor = 0x000000;
  int Appearance = 0;  // 1 = raised (a toggle that is on), 0 = flat
  int MousePointer = 0;
  int Left = 0, Top = 0, Width = 0, Height = 0;  // twips
};

}  // namespace miravela

namespace miravela {

// A drop-down list without free text: setting the text selects the first entry with it.
struct ComboBox : Control {
  QStringList List;
  int ListIndex = -1;

  QString Text() const { return ListIndex >= 0 && ListIndex < List.size() ? List[ListIndex] : QString(); }
  void SetText(const QString& text) { ListIndex = static_cast<int>(List.indexOf(text)); }
  void Clear() {
    List.clear();
    ListIndex = -1;
  }
};

}  // namespace miravela
