// Preloaded (LD_PRELOAD) into a program under test, this library makes every
// way of opening an ICU converter fail, as in a Qt built without ICU (Qt's
// official Windows builds): Qt then has no GBK and no GB2312 converter.
// ICU's header gives the functions the installed version's names (ucnv_open_72).

#include <unicode/ucnv.h>

namespace {

UConverter *noConverter(UErrorCode *error)
{
    if (error && U_SUCCESS(*error))
        *error = U_FILE_ACCESS_ERROR;
    return nullptr;
}

} // namespace

U_CAPI UConverter *U_EXPORT2 ucnv_open(const char *, UErrorCode *error)
{
    return noConverter(error);
}

U_CAPI UConverter *U_EXPORT2 ucnv_openU(const UChar *, UErrorCode *error)
{
    return noConverter(error);
}

U_CAPI UConverter *U_EXPORT2 ucnv_openCCSID(int32_t, UConverterPlatform, UErrorCode *error)
{
    return noConverter(error);
}

U_CAPI UConverter *U_EXPORT2 ucnv_openPackage(const char *, const char *, UErrorCode *error)
{
    return noConverter(error);
}
