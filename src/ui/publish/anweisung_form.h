// How to publish a generated gallery: fixed instructions, the output folder, and buttons that copy
// the folder's path or open it in the file manager; and the upload itself, to an SFTP or FTP server
// or a folder, only what changed, on a worker thread with progress and cancel.
#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace wexbo {

class TAnweisungForm : public QDialog {
    Q_OBJECT
public:
    explicit TAnweisungForm(QWidget* parent = nullptr);

    ~TAnweisungForm() override;

    // What the generator does before showing it: the folder, the caption, the copy button active,
    // and the album's gallery settings file, which remembers where its gallery goes up to.
    void Prepare(const QString& folder, const QString& caption, const QString& settingsFile = {});

    QLineEdit* Edit1;  // the folder; the user may change it
    QPushButton* CopyBitBtn;
    QPushButton* BitBtn2;  // "Open folder"
    QPushButton* BitBtn3;  // "Close"

    // The upload part.
    QLineEdit* DestinationEdit;
    QLineEdit* UserEdit;
    QLineEdit* PasswordEdit;
    QLineEdit* KeyFileEdit;
    QCheckBox* KeepPasswordCheckBox;  // in the desktop's keyring; off where there is none
    QPushButton* TestButton;
    QPushButton* UploadButton;
    QPushButton* CancelButton;
    QProgressBar* UploadProgressBar;
    QLabel* OutcomeLabel;  // what the last test or upload came to, in plain words

    void CopyBitBtnClick();
    void BitBtn2Click();
    void TestButtonClick();
    void UploadButtonClick();
    void CancelButtonClick();
    bool Busy() const { return worker_.joinable(); }

    // Where the records of uploads live (the data folder's "uploads/").
    void SetRecordFolder(const std::string& folder) { recordFolder_ = folder; }

protected:
    void reject() override;

private:
    // Runs `work` on a worker thread; its outcome text comes back to OutcomeLabel.
    void Start(std::function<QString()> work);
    void Finished(const QString& outcome);
    void StartUpload(bool upload);  // false: connect and log in only
    bool AskOnWindowThread(const QString& question);

    std::thread worker_;
    std::atomic<bool> cancel_{false};
    QString settingsFile_;
    std::string recordFolder_;
};

}  // namespace wexbo
