// The property page of the board control: one check box that edits the
// control's Enabled flag. It works on the first of the controls its host
// selected, reading and writing Enabled by name, so any object with a
// boolean property "Enabled" will do.
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QCheckBox;

namespace mvdechiquier {

class MvdPage : public QWidget {
  Q_OBJECT

 public:
  explicit MvdPage(QWidget* parent = nullptr);

  // The check box "Enabled": checked, unchecked or greyed.
  QCheckBox* chkEnabled = nullptr;

  // Host notification: the selection changed. The box shows the first
  // selected control's Enabled.
  void SelectionChanged(const QList<QObject*>& controles);
  // Host notification: apply the changes. The first selected control's
  // Enabled becomes true when the box is checked, false when it is unchecked
  // or greyed. The page is no longer marked as changed.
  void ApplyChanges();
  // Whether the page holds a change not yet applied (the host's Apply button).
  bool Changed() const { return changed_; }
  QList<QObject*> SelectedControls() const;

 signals:
  // The page became changed.
  void ChangedSignal();

 private slots:
  void chkEnabled_Click();

 private:
  QList<QPointer<QObject>> selection_;
  bool changed_ = false;
};

}  // namespace mvdechiquier

using mvdechiquier::MvdPage;
