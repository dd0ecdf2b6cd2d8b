// form_principale: the start window, shown when the program starts.
//
// Its two buttons choose the soil family: each makes one calculation window visible,
// loads the other hidden and unloads the start window. It owns no values.
#pragma once

#include <QWidget>

class QPushButton;

namespace fondara::app {

class form_principale : public QWidget {
  Q_OBJECT

 public:
  form_principale();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void pulsante_coesivi_Click();
  void pulsante_sciolti_Click();

  QPushButton* pulsante_coesivi = nullptr;
  QPushButton* pulsante_sciolti = nullptr;
  bool placed_ = false;
};

}  // namespace fondara::app
