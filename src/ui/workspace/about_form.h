// The About window: program title, picture, version, maker and the maker's web page.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace wexbo {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(const QString& programFolder, QWidget* parent = nullptr);

    QLabel* ProductLabel;
    QLabel* VersionLabel;
    QLabel* WebLabel;
    QPushButton* UpdateButton;
    QPushButton* OkButton;
};

// The maker's page about the program.
inline constexpr const char* kMakerPage = "https://www.velmora.example/wexbo/";

}  // namespace wexbo
