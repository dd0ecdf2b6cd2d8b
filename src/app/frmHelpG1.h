// frmHelpG1: the help window about the backfill unit weight G1, shown modally by
// form_sciolti's "?" button (cmdHelpGT). Two texts on yellow; no values, no handlers;
// the user closes it with its close box.
#pragma once

#include <QDialog>

class QLabel;

namespace fondara::app {

class frmHelpG1 : public QDialog {
  Q_OBJECT

 public:
  frmHelpG1();

 private:
  QLabel* Label2 = nullptr;
  QLabel* Label1 = nullptr;
};

}  // namespace fondara::app
