#pragma once

#include "members/ExpiredList.h"

namespace tavorel {

// Members whose membership card has expired.
class TfrmTessereScadute : public ExpiredList {
    Q_OBJECT
public:
    TfrmTessereScadute(QWidget* owner, CaricaIscritto carica);
};

} // namespace tavorel
