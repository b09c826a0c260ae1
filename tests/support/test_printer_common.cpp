#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

void TestPrinter::Put(LPCWSTR valueName, DWORD type, const std::vector<BYTE>& bytes) const {
    std::vector<BYTE> copy(bytes);
    ASSERT_EQ(SetPrinterDataW(handle_, const_cast<LPWSTR>(valueName), type, copy.data(),
                              static_cast<DWORD>(copy.size())),
              static_cast<DWORD>(ERROR_SUCCESS));
}

void TestPrinter::PutDword(LPCWSTR valueName, DWORD value) const {
    Put(valueName, REG_DWORD,
        {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
         static_cast<BYTE>(value >> 24)});
}

bool TestPrinter::Get(LPCWSTR valueName, DWORD* type, std::vector<BYTE>* bytes) const {
    DWORD needed = 0;
    BYTE probe[1];
    const DWORD first =
        GetPrinterDataW(handle_, const_cast<LPWSTR>(valueName), type, probe, 0, &needed);
    if (first != ERROR_SUCCESS && first != ERROR_MORE_DATA) {
        return false;
    }
    bytes->assign(needed, 0);
    return needed == 0 || GetPrinterDataW(handle_, const_cast<LPWSTR>(valueName), type,
                                          bytes->data(), needed, &needed) == ERROR_SUCCESS;
}
