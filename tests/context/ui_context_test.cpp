// The UI context of one request: where its settings come from; and the module's start and stop
// around the device data cache.
#include "context/module_instance.h"
#include "context/ui_context.h"
#include "entry/driver_ui.h"
#include "platform/posix/standin_control.h"
#include "tests/support/devmode_bytes.h"

#include <tuple>

namespace {

using namespace testdm;

// Three recognisable records: the caller's, the printer's default DEVMODE's and the stored one.
// That default DEVMODE (three copies) is whole, or cut short of its announced private part, which
// must then be neither read past the spooler's bytes nor taken. The caller's public part asks for
// 100 x 200 mm paper, which the work size overrides. The caller's private part counts when it has
// our size and signature, behind whatever public part.
TEST(UiContext, PrivateSettingsComeFromExactlyOnePlace) {
    enum From { Caller, PrinterDefault, Stored, DriverDefaults };
    // The caller's DEVMODE: none; ours; unsigned; its private part short or long by 4 bytes; the
    // old public part; the old one with the signature's bytes swapped.
    enum CallerKind { None, Signed, Unsigned, Short, Long, Old, Swapped };
    enum PrinterKind { NoDefault, Whole, Cut };
    const std::tuple<CallerKind, PrinterKind, bool, From> cases[] = {
        {Signed, Whole, true, Caller},
        {Unsigned, Whole, true, PrinterDefault},
        {Short, Whole, true, PrinterDefault},
        {Short, NoDefault, true, DriverDefaults},
        {Unsigned, Cut, true, DriverDefaults},
        {None, Whole, true, Stored},
        {None, Whole, false, DriverDefaults},
        {Long, Whole, true, PrinterDefault},
        {Old, Whole, true, Caller},
        {Swapped, Whole, true, PrinterDefault}};
    const PrinterSettings records[] = {Record(700, 300, 3), Record(650, 350), Record(720, 410, 5),
                                       Defaults(kKlv20).ps};
    DriverDevMode printerDm = Defaults(kKlv20), pub = Defaults(TEXT("Someone else's printer"));
    printerDm.dm.dmFields |= DM_COPIES, printerDm.dm.dmCopies = 3;
    printerDm.ps = records[PrinterDefault];
    pub.dm.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH, pub.dm.dmPaperLength = 2000;
    pub.dm.dmPaperWidth = 1000;
    for (const auto& [caller, printerKind, stored, from] : cases) {
        SCOPED_TRACE(testing::Message() << "caller " << caller << ", printer " << printerKind);
        TestPrinter printer(kKlv20);
        const size_t kept = printerKind == Whole ? sizeof printerDm : sizeof printerDm - 4;
        if (printerKind != NoDefault) {
            standin::AddPrinter({printer.name(), kKlv20, Slice(&printerDm, 0, kept), false});
        }
        if (stored) {
            ASSERT_EQ(SavePrinterProperties(printer.handle(), &records[Stored], 1536), 1u);
        }
        PrinterSettings callerRecord = records[Caller];
        callerRecord.dwPrivData = caller == Unsigned ? 0 : caller == Swapped ? 0x50524956 : kPriv;
        const WORD extra = 1536 - 4 * (caller == Short) + 4 * (caller == Long);
        DevModeBytes in = DevModeBytes::Of(pub.dm, caller >= Old ? 188 : 220, extra, callerRecord);
        UiData* ui = FillUiData(printer.handle(), caller == None ? nullptr : in.dm());
        ASSERT_NE(ui, nullptr);
        ExpectSameBytes(&ui->devmode.ps, &records[from], sizeof records[from]);
        const DEVMODEW& dm = ui->devmode.dm;
        EXPECT_EQ(std::tuple(dm.dmCopies, dm.dmPaperWidth, dm.dmPaperLength),
                  std::tuple(printerKind == NoDefault ? 1 : 3, records[from].UserDefinedX,
                             records[from].UserDefinedY));
        ReleaseUiData(ui);
    }
}

// Stops and starts the module as the loader does, around the start the test environment made.
TEST(Module, StartKeepsTheModuleLoaded) {
    DllInitialize(nullptr, DLL_PROCESS_DETACH, nullptr);
    const WString path = TEXT("C:\\windows\\system32\\spool\\drivers\\x64\\3\\vorikaui.dll");
    standin::SetModulePath(path);
    standin::ForgetLoadedLibraries();
    auto* const module = reinterpret_cast<HINSTANCE>(0x10000);
    DllInitialize(module, DLL_PROCESS_ATTACH, nullptr);
    EXPECT_EQ(std::tuple(ghInstance, standin::LoadedLibraries()),
              std::tuple(module, std::vector<WString>{path}));
    standin::SetModulePath({});
}

} // namespace
