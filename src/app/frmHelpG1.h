// frmHelpG1: the help window about the backfill unit weight G1, shown modally by
// form_sciolti's "?" button (cmdHelpGT). Two texts on yellow; no values, no handlers;
// the user closes it with its close box.
#pragma once

#include <QDialog>

namespace fondara::app {

class frmHelpG1 : public QDialog {
  Q_OBJECT

 public:
  frmHelpG1();
};

}  // namespace fondara::app
