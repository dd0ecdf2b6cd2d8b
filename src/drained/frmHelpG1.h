// frmHelpG1: the help window about the backfill unit weight G1, shown modally by
// form_sciolti's "?" button (cmdHelpGT). Two texts on yellow; no values, no handlers;
// the user closes it with its close box.
#pragma once

#include <QDialog>

namespace fondara::drained {

class frmHelpG1 : public QDialog {
  Q_OBJECT

 public:
  // A modal window of `owner`, which owns it.
  explicit frmHelpG1(QWidget* owner);
};

}  // namespace fondara::drained
