#include "forwarding/cf_info.h"
#include "resources/resource.h"

const CFReason CFReasons[CF_REASON_COUNT] = {
    {&VideoCFInfo::bAllCall, &VideoCFInfo::bAllCallChanged, &VideoCFInfo::szAllCall, TEXT("stAllCall"),
     &CFRequest::AllCall, IDC_CF_ALLCALL_CHECK, IDC_CF_ALLCALL_NUMBER},
    {&VideoCFInfo::bNoAns, &VideoCFInfo::bNoAnsChanged, &VideoCFInfo::szNoAns, TEXT("stNoAns"), &CFRequest::NoAns,
     IDC_CF_NOANS_CHECK, IDC_CF_NOANS_NUMBER},
    // The stored value keeps the name it has always had on handsets, spelling included.
    {&VideoCFInfo::bUnavailable, &VideoCFInfo::bUnavailableChanged, &VideoCFInfo::szUnavailable,
     TEXT("stUnavailiable"), &CFRequest::Unavailable, IDC_CF_UNAVAILABLE_CHECK, IDC_CF_UNAVAILABLE_NUMBER},
    {&VideoCFInfo::bBusy, &VideoCFInfo::bBusyChanged, &VideoCFInfo::szBusy, TEXT("stbusy"), &CFRequest::Busy,
     IDC_CF_BUSY_CHECK, IDC_CF_BUSY_NUMBER},
};
