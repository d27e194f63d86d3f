#pragma once
// The other tab: the program's version and the online update.

#include "platform/Dialog.h"

class COtherPage : public CPage
{
    Q_OBJECT
public:
    explicit COtherPage(IModalSeam& seam);

    bool OnInitDialog() override;
};
