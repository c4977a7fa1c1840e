#include "TarnRetailClient.h"

TarnRetailClient::TarnRetailClient(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TarnRetailClientClass"));
    setWindowTitle(QStringLiteral("TarnRetailClient"));
    resize(600, 400);
}

TarnRetailClient::~TarnRetailClient() = default;
