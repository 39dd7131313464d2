// The standard controls and the dialogs in one include.
#pragma once

#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialog/Dialog.h"
#include "platform/ui/dialog/MessageBox.h"
