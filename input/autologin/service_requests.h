#pragma once
// The addresses of the auto-login service's scripts. Every value put into a query is
// percent-encoded (urlEncodeForm), so that no byte of a scan, a site address or a typed value can
// add, cut or hide query parameters; a standard query parser decodes each to the value itself.

#include <string>
#include <string_view>
#include <vector>

#include "autologin/login_record.h"

namespace zelko {

// The service as the build fixes it: `base` ends in "/autologin/"; the origins are
// "http://host[:port]" without a trailing slash, in the order they are looked for.
struct ServiceAddresses {
    std::string base;
    std::vector<std::string> origins;
};

// "<origin>/command/fromzelko.php?penid=<pen id>&barcode=<barcode>"
std::string fromZelkoAddress(std::string_view origin, std::string_view penId,
                             std::string_view barcode);
// "<base>checkenable.php?hp=<site address>"
std::string checkEnableAddress(std::string_view base, std::string_view siteAddress);
// "<base>regonetime.php?uid=<uid>", then "&<name>=<value>" for every field but the hidden ones,
// in order: the site address for a "next" field, the entered value for the others. Field names
// are the service's own and go as they stand.
std::string registrationAddress(std::string_view base, const LoginRecord& record,
                                std::string_view siteAddress);
// "<base>checkdownloaded.php?oid=<oid>"
std::string checkDownloadedAddress(std::string_view base, std::string_view oid);
// The pages opened in the browser: "<base>loadandup.php?oid=<oid>" (preparation) and
// "<base>autologin.php?oid=<oid>" (login).
std::string preparationPageAddress(std::string_view base, std::string_view oid);
std::string loginPageAddress(std::string_view base, std::string_view oid);

// The address a redirect leads to: an absolute Location ("scheme:...") as it stands; "//host/..."
// with the scheme of `current`; "/path" on the origin of `current`; any other relative reference
// beside the last path segment of `current`. Empty when the Location is empty.
std::string redirectTarget(std::string_view current, std::string_view location);

// The first of `origins` that occurs in `address` (the service's own origin in a redirect
// target), or null.
const std::string* serviceOriginIn(std::string_view address,
                                   const std::vector<std::string>& origins);

}  // namespace zelko
