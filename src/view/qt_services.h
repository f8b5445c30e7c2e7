#pragma once
// The desktop services that need widgets.
#include <QWidget>

#include "base/services.h"

namespace miravela {

class QtMessageBox : public MessageBoxService {
 public:
  explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
  RespuestaMensaje Show(const QString& text, const QString& title, IconoMensaje icon, BotonesMensaje buttons,
                        RespuestaMensaje defaultButton) override;

 private:
  QWidget* parent_;
};

class QtBeeper : public Beeper {
 public:
  void Beep() override;
};

class QtFolderChooser : public FolderChooser {
 public:
  explicit QtFolderChooser(QWidget* parent) : parent_(parent) {}
  QString Choose(const QString& prompt) override;

 private:
  QWidget* parent_;
};

class QtWindowHost : public WindowHost {
 public:
  explicit QtWindowHost(QWidget* window) : window_(window) {}
  QSize ScreenSizeTwips() override;
  double TwipsPerPixelX() override;
  double TwipsPerPixelY() override;
  void SetTopmost() override;
  void Minimize() override;
  void Close() override;
  void ProcessEvents() override;

 private:
  QWidget* window_;
};

}  // namespace miravela
