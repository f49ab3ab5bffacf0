#include "boardcontrol/mvdpage.h"

#include <QCheckBox>
#include <QVariant>

namespace mvdechiquier {

MvdPage::MvdPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MvdPage"));
  setWindowTitle(QStringLiteral("MvdPage"));
  resize(212, 40);
  chkEnabled = new QCheckBox(QStringLiteral("Enabled"), this);
  chkEnabled->setObjectName(QStringLiteral("chkEnabled"));
  chkEnabled->setTristate(true);
  chkEnabled->setGeometry(6, 8, 180, 19);
  connect(chkEnabled, &QCheckBox::clicked, this, &MvdPage::chkEnabled_Click);
}

QList<QObject*> MvdPage::SelectedControls() const {
  QList<QObject*> liste;
  for (const auto& c : selection_) liste.append(c.data());
  return liste;
}

void MvdPage::SelectionChanged(const QList<QObject*>& controles) {
  selection_.clear();
  for (QObject* c : controles) selection_.append(c);
  QObject* premier = selection_.isEmpty() ? nullptr : selection_.first().data();
  const bool enabled = premier != nullptr && premier->property("Enabled").toBool();
  chkEnabled->setCheckState(enabled ? Qt::Checked : Qt::Unchecked);
}

void MvdPage::chkEnabled_Click() {
  const bool avant = changed_;
  changed_ = true;
  if (!avant) emit ChangedSignal();
}

void MvdPage::ApplyChanges() {
  QObject* premier = selection_.isEmpty() ? nullptr : selection_.first().data();
  if (premier != nullptr) premier->setProperty("Enabled", chkEnabled->checkState() == Qt::Checked);
  changed_ = false;
}

}  // namespace mvdechiquier
