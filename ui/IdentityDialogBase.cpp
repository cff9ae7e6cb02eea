#include "ui/IdentityDialogBase.h"

#include "ui/WindowLockList.h"

namespace vistrel {

CIdentityDialogBase::CIdentityDialogBase(CameraSession& session, OnlineStatusNotifier& notifier,
                                         WindowLockList& locks, QWidget* parent)
    : QDialog(parent), session_(session), notifier_(notifier), locks_(locks) {}

CIdentityDialogBase::~CIdentityDialogBase() {
  if (registered_)
    notifier_.Unregister(this);
}

void CIdentityDialogBase::Register(QLabel* strip) {
  SetStatusPicture(strip);
  notifier_.Register(this);
  locks_.Add(this);
  registered_ = true;
}

}  // namespace vistrel
