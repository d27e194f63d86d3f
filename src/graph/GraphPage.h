#pragma once
// The graph tab: the latest measurements as a line graph.

#include "platform/Dialog.h"

class CGraphPage : public CPage
{
    Q_OBJECT
public:
    explicit CGraphPage(IModalSeam& seam);

    bool OnInitDialog() override;
};
