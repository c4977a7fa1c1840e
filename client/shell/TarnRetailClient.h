#pragma once

#include <QMainWindow>

// The client's main window. GUI thread only.
class TarnRetailClient : public QMainWindow
{
    Q_OBJECT

public:
    explicit TarnRetailClient(QWidget *parent = nullptr);
    ~TarnRetailClient() override;
};
