#pragma once

#include "members/ExpiredList.h"

namespace tavorel {

// Members whose medical certificate has expired.
class TfrmCertScaduti : public ExpiredList {
    Q_OBJECT
public:
    TfrmCertScaduti(QWidget* owner, CaricaIscritto carica);
};

} // namespace tavorel
