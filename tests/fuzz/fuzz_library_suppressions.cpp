// The workbook reading library (.xls) is not ours and is built without the
// address checks: an over-read it makes inside a character conversion on a
// damaged file is reported by the sanitizer's wrapper of that conversion and
// would stop every run. Such reports are left out for calls made from that
// library only; its callers, and every other library, stay checked.
extern "C" const char *__asan_default_suppressions()
{
    return "interceptor_via_lib:libfreexl.so\n";
}
