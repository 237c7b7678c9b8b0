#include "gui/print/JwCommand.h"

#include "core/print/JwExport.h"
#include "core/print/PaintSheetDevice.h"
#include "core/settings/AppData.h"
#include "core/settings/SettingsStore.h"
#include "core/text/StringTable.h"
#include "gui/calcwindow/CalcWindow.h"
#include "gui/print/PrintCommands.h"
#include "gui/widgets/MessageBox.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>

#include <memory>

namespace quiren {

namespace {

// The file is measured on the page the sheet is printed on: the printer's,
// or, with no printer on the system, the page of the sheet's PDF file.
class MeasurePage {
public:
    MeasurePage()
    {
        if (QPrinter *printer = CurrentPrinter()) {
            m_device = std::make_unique<PaintSheetDevice>(printer);
            return;
        }
        m_buffer.open(QIODevice::WriteOnly);
        m_pdf = std::make_unique<QPdfWriter>(&m_buffer);
        SetUpSheetPdf(*m_pdf, QString());
        m_device = std::make_unique<PaintSheetDevice>(m_pdf.get());
    }
    SheetDevice &device() { return *m_device; }

private:
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_pdf;
    std::unique_ptr<PaintSheetDevice> m_device;
};

} // namespace

QString JwFolderInEffect()
{
    const AppData &data = AppData::instance();
    if (!data.jwFolder.isEmpty())
        return data.jwFolder;
    return ReadJwPath(data.programFolder);
}

bool JwExportCommand(QWidget *parent, const CalcSheet &sheet, const QString &jwFolder)
{
    const QString named = jwFolder + Str(S::InFolder) + Str(S::JwFileName);
    const auto refuse = [parent, &named](const QString &reason) {
        ShowMessage(parent, named + Str(S::NotSaved) + QLatin1Char('\n') + reason, MsgButtons::Ok,
                    MsgIcon::Critical);
        return false;
    };
    if (jwFolder.isEmpty() || !QFileInfo(jwFolder).isDir())
        return refuse(Str(S::NoFolder));

    BusyCursor busy;
    MeasurePage page;
    const WriteResult written = WriteJwFile(JwFilePath(jwFolder), sheet,
                                            ReadSheetSettings(AppData::instance()), page.device());
    busy.release();
    if (!written)
        return refuse(written.error);
    ShowMessage(parent, named + Str(S::SavedUnder), MsgButtons::Ok, MsgIcon::Information,
                Str(S::Converted));
    return true;
}

bool ExportWindowJw(CalcWindow *window)
{
    if (window == nullptr)
        return false;
    return JwExportCommand(window, window->sheet(), JwFolderInEffect());
}

} // namespace quiren
