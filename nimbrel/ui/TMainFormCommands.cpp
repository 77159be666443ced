// The file and build commands of the main form; the form's construction, menus and selection
// handlers are in TMainForm.cpp.
#include <QCheckBox>
#include <QFileInfo>
#include <QMdiArea>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>
#include <cstdio>

#include "nimbrel/PictureBuild.h"
#include "nimbrel/ui/FileChooser.h"
#include "nimbrel/ui/FrameBitmap.h"
#include "nimbrel/ui/PicturePreview.h"
#include "nimbrel/ui/TMDIChild.h"
#include "nimbrel/ui/TMainForm.h"
#include "platform/FileSystem.h"

namespace nimbrel {

namespace {

constexpr int kCodeInvalidParam = 1;
constexpr int kCodeLoadBitmap = 26;
constexpr int kCodeSaveBitmap = 27;
constexpr int kCodeNot24Bit = 28;
constexpr int kCodeNotDib = 29;
constexpr int kCodeQuit = 47;
constexpr int kCodeOverwrite = 46;

const char* const kBmpFilter = "Bmp Files (*.bmp)|*.bmp";
const char* const kPicFilter = "Pic Files (*.pic)|*.pic";

const char* const kSlotNames[TMainForm::kSlotCount] = {"BMP", "FrameBMP", "PicBMP"};

// Stands in for a progress form that was never attached: the loop runs, nobody can cancel.
class SilentProgress : public BuildProgress {
public:
    void ShowProgress(int) override {}
    bool StepProgress(int) override { return true; }
    void HideProgress() override {}
};

// Marks a loop as running for as long as it lives, on every way out.
class LoopGuard {
public:
    explicit LoopGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~LoopGuard() { m_flag = false; }
    LoopGuard(const LoopGuard&) = delete;
    LoopGuard& operator=(const LoopGuard&) = delete;

private:
    bool& m_flag;
};

std::string FileNameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

}  // namespace

int TMainForm::BitmapLoadCode(platform::Bitmap::ReadStatus status) {
    switch (status) {
        case platform::Bitmap::kOk:
            return 0;
        case platform::Bitmap::kUnsupportedDepth:
            return kCodeNot24Bit;
        case platform::Bitmap::kUnsupportedFormat:
            // Compressed or bit-field pixels: a bitmap, but not the plain device-independent
            // kind the builder reads.
            return kCodeNotDib;
        default:
            return kCodeLoadBitmap;
    }
}

const char* TMainForm::PixelFormatName(const platform::Bitmap* bitmap) {
    // Every bitmap the program holds is 24 bits per pixel; the loader refuses the rest.
    return bitmap != nullptr && !bitmap->IsEmpty() ? "24bit" : "Invalid";
}

int TMainForm::LoadBitmap(const std::string& path, platform::Bitmap& out) const {
    int depth = 0;
    return BitmapLoadCode(out.ReadBmpFile(path, depth));
}

void TMainForm::SetLoadingStatus(int slot, bool updating) {
    static const char* const kLoading[kSlotCount] = {"BMP: Open Bitmap ...",
                                                     "FrameBMP: Building Frame Bitmap ...",
                                                     "PicBMP: Building Pic Bitmap ..."};
    const QString text =
        updating ? QString("%1: Update Bitmap ...").arg(kSlotNames[slot]) : QString(kLoading[slot]);
    statusBar()->showMessage(text);
    if (TMDIChild* window = m_slots[slot].window) {
        window->SetStatus(text);
    }
    statusBar()->repaint();
}

void TMainForm::SetDoneStatus(int slot) {
    statusBar()->clearMessage();
    TMDIChild* window = m_slots[slot].window;
    if (window == nullptr) {
        return;
    }
    const ViewSlot& s = m_slots[slot];
    QString text = QString("%1: %2(W) * %3(H) PixelFormat:%4")
                       .arg(kSlotNames[slot])
                       .arg(s.width)
                       .arg(s.height)
                       .arg(PixelFormatName(s.bitmap.get()));
    if (slot == kSlotFrame) {
        const int selected = m_settings.SelectedFormat();
        const QString name = selected >= 0
                                 ? QString::fromStdString(CSettingMngInfo::MenuCaptionText(
                                       m_settings.FormatCaption(selected)))
                                 : QString("Unknown");
        text += QString(" (FormatName:%1)").arg(name);
    }
    window->SetStatus(text);
}

TMDIChild* TMainForm::ShowInSlot(int slot, const std::string& path, platform::Bitmap picture) {
    ViewSlot& s = m_slots[slot];
    s.width = picture.Width();
    s.height = picture.Height();
    TMDIChild* window = s.window;
    if (window != nullptr) {
        window->SetPath(path);
        window->SetPicture(std::move(picture));
        return window;
    }
    window = new TMDIChild(slot);
    connect(window, &TMDIChild::Closed, this, [this](int closed) { OnChildClosed(closed); });
    window->SetPath(path);
    window->SetPicture(std::move(picture));
    m_mdi->addSubWindow(window);
    PlaceNewWindow(window);
    s.window = window;
    window->show();
    return window;
}

void TMainForm::PlaceNewWindow(TMDIChild* window) {
    // As an MDI client places a new child: one title bar down and right of the last, so every
    // title bar stays in sight. A place an open window already holds is passed over.
    const QSize area = m_mdi->viewport()->size();
    const int step =
        window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) +
        window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    const QList<QMdiSubWindow*> open = m_mdi->subWindowList();
    auto held = [&](const QPoint& place) {
        return std::any_of(open.begin(), open.end(), [&](const QMdiSubWindow* other) {
            return other != window && other->isVisible() && !other->isMinimized() &&
                   other->pos() == place;
        });
    };
    QPoint place(0, 0);
    for (int k = 0; k < kSlotCount && held(place); ++k) {
        place += QPoint(step, step);
    }
    const QSize minimum = window->minimumSizeHint();
    if (area.width() - place.x() < minimum.width() ||
        area.height() - place.y() < minimum.height()) {
        place = QPoint(0, 0);
    }
    // Inside the client area and no larger than what is left of it; the picture scrolls.
    window->resize(window->sizeHint().boundedTo(area - QSize(place.x(), place.y())));
    window->move(place);
}

void TMainForm::FileOpenExecute() {
    std::string path = FileChooser::StartFolder(m_bmpPath, m_job.StartFolder());
    if (!FileChooser::Open(this, "Bitmap File", kBmpFilter, "bmp", path)) {
        return;
    }
    SetLoadingStatus(kSlotBmp, false);
    auto bitmap = std::make_shared<platform::Bitmap>();
    if (const int code = LoadBitmap(path, *bitmap)) {
        SetDoneStatus(kSlotBmp);  // the window still shows what it held
        ShowCode(code);
        return;
    }
    m_slots[kSlotBmp].bitmap = bitmap;
    ShowInSlot(kSlotBmp, path, *bitmap);
    m_bmpPath = path;
    m_actions[kActBuildFrame]->setEnabled(true);
    SetDoneStatus(kSlotBmp);
}

void TMainForm::BuildFrameBmpExecute() {
    if (!m_bmpPath.empty()) {
        BuildFrameFrom(m_bmpPath, false);
    }
}

void TMainForm::BuildFrameFrom(const std::string& path, bool updating) {
    SetLoadingStatus(kSlotFrame, updating);
    std::shared_ptr<const platform::Bitmap> source;
    if (path == m_bmpPath && m_slots[kSlotBmp].bitmap) {
        source = m_slots[kSlotBmp].bitmap;
    } else {
        auto loaded = std::make_shared<platform::Bitmap>();
        if (const int code = LoadBitmap(path, *loaded)) {
            SetDoneStatus(kSlotFrame);
            ShowCode(code);
            return;
        }
        source = loaded;
    }
    FrameBitmap built;
    if (!FrameBitmap::Build(*source, m_width, m_height, m_settings.SelectedColour(), built)) {
        SetDoneStatus(kSlotFrame);
        ShowCode(kCodeInvalidParam);
        return;
    }
    m_slots[kSlotFrame].bitmap = std::make_shared<platform::Bitmap>(std::move(built.frame));
    ShowInSlot(kSlotFrame, path, std::move(built.preview));
    m_framePath = path;
    m_leftEdge = built.leftEdge;
    m_rightMargin = built.rightMargin;
    m_actions[kActSaveFrame]->setEnabled(true);
    m_actions[kActBuildPicFile]->setEnabled(true);
    SetDoneStatus(kSlotFrame);
}

void TMainForm::BuildPicBmpExecute() {
    if (m_loopRunning) {
        return;
    }
    std::string path = FileChooser::StartFolder(m_picPath, m_job.StartFolder());
    if (!FileChooser::Open(this, "Pic File", kPicFilter, "pic", path)) {
        return;
    }
    m_picPath = path;
    SetLoadingStatus(kSlotPic, false);
    SilentProgress silent;
    BuildProgress& progress = m_progress != nullptr ? *m_progress : silent;
    platform::Bitmap picture;
    int code;
    {
        LoopGuard guard(m_loopRunning);
        code = PicturePreview::Read(path, m_job.MainIni(), progress, picture);
    }
    if (code != 0) {
        SetDoneStatus(kSlotPic);
        ShowCode(code);
        return;
    }
    auto bitmap = std::make_shared<platform::Bitmap>(picture);
    m_slots[kSlotPic].bitmap = bitmap;
    ShowInSlot(kSlotPic, path, std::move(picture));
    m_actions[kActSavePic]->setEnabled(true);
    SetDoneStatus(kSlotPic);
}

void TMainForm::FileSaveFrameBmpExecute() {
    SaveSlot(kSlotFrame);
}

void TMainForm::FileSavePicBmpExecute() {
    SaveSlot(kSlotPic);
}

void TMainForm::SaveSlot(int slot) {
    TMDIChild* window = m_slots[slot].window;
    if (window == nullptr) {
        ShowCode(kCodeInvalidParam);
        return;
    }
    std::string path = FileChooser::StartFolder(m_savedBmpPath, m_job.StartFolder());
    if (!FileChooser::Save(this, "Bitmap File", kBmpFilter, "bmp", path)) {
        return;
    }
    if (platform::IsRegularFile(path)) {
        const std::string name = FileNameOf(path);
        if (!Confirm(kCodeOverwrite, &name)) {
            return;
        }
    }
    if (!window->Picture().WriteBmpFile(path)) {
        ShowCode(kCodeSaveBitmap);
        return;
    }
    // Debug mode keeps the slot's own bitmap too: for the frame, the margins the filter saw.
    if (m_job.Debug() && m_slots[slot].bitmap &&
        !m_slots[slot].bitmap->WriteBmpFile(path + ".debug.bmp")) {
        ShowCode(kCodeSaveBitmap);
        return;
    }
    m_savedBmpPath = path;
}

void TMainForm::BuildPicFileExecute() {
    if (m_loopRunning) {
        return;
    }
    BuildLock lock;
    if (const int code = lock.Code()) {
        ShowCode(code);
        return;
    }
    // The build keeps its own hold on the frame bitmap, whatever happens to the slot.
    const std::shared_ptr<const platform::Bitmap> frame = m_slots[kSlotFrame].bitmap;
    PictureBuildInput input;
    input.frame = frame.get();
    input.leftEdge = m_leftEdge;
    input.rightMargin = m_rightMargin;
    input.format = m_settings.SelectedFormatInfo();
    input.filterOn = m_settings.FilterOn();
    input.gbrChecked = GbrCheckShown() && m_gbrCheck->isChecked();
    if (frame == nullptr) {
        ShowCode(kCodeInvalidParam);
        return;
    }
    if (NeedsMarginWarning(input)) {
        ShowCode(kCodeNoLeftMarginWarning);
    }
    SilentProgress silent;
    BuildProgress& progress = m_progress != nullptr ? *m_progress : silent;
    int code;
    {
        LoopGuard guard(m_loopRunning);
        code = RunPictureBuild(m_job, input, progress);
    }
    if (code != 0) {
        ShowCode(code);
        DropOutputs(m_job);
        return;
    }
    for (;;) {
        std::string path = FileChooser::StartFolder(m_picPath, m_job.StartFolder());
        if (!FileChooser::Save(this, "Pic File", kPicFilter, "Pic", path)) {
            break;
        }
        // Saving over one of the build's own temporary files would be undone by their
        // removal at the end; say so before asking about replacing it.
        if (m_job.TargetIsTempFile(path)) {
            ShowCode(kCodeTargetIsTempFile);
            continue;
        }
        if (platform::IsRegularFile(path)) {
            const std::string name = FileNameOf(path);
            if (!Confirm(kCodeOverwrite, &name)) {
                if (Confirm(kCodeQuit)) {
                    break;
                }
                continue;
            }
        }
        code = CommitOutputs(m_job, path);
        if (code == kCodeTargetIsTempFile) {
            ShowCode(code);
            continue;
        }
        if (code != 0) {
            ShowCode(code);
            break;
        }
        m_picPath = path;
        break;
    }
    DropOutputs(m_job);
}

}  // namespace nimbrel
