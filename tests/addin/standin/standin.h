// A stand-in for Excel's callback library XLCALL32, used only by the add-in's tests. It answers the host
// calls the add-in makes: xlfRegister (recording every argument, and refusing the n-th call on request),
// xlGetName, xlFree, xlcAlert (recording the message) and xlCoerce (numbers only). The control functions
// below have C linkage so that a test host can also reach them through GetProcAddress.
#ifndef BRIMWATER_TESTS_ADDIN_STANDIN_STANDIN_H
#define BRIMWATER_TESTS_ADDIN_STANDIN_STANDIN_H

extern "C" {

// The file name that xlGetName returns.
inline constexpr char kStandInFileName[] = "C:\\Program Files\\Brimwater\\Brimwater.xll";

// Forgets every recorded call and accepts every registration again.
void StandInReset();
// Refuses the n-th xlfRegister call after the last reset (counting from 1); 0 accepts every call.
void StandInRefuseRegistration(int n);

// xlfRegister calls since the last reset, refused ones included, and their arguments (counting from 0).
int StandInRegistrationCount();
int StandInArgumentCount(int registration);
// The record type of one argument, and its text decoded by its length byte (nullptr when out of range or
// not a string). The text stays valid until the next reset.
int StandInArgumentType(int registration, int argument);
const char* StandInArgument(int registration, int argument);

// xlcAlert calls since the last reset: the message (decoded by its length byte) and the alert type.
int StandInAlertCount();
const char* StandInAlert(int alert);
int StandInAlertType(int alert);

// File names handed out by xlGetName and not yet released with xlFree, and xlFree calls that named
// something the stand-in never handed out.
int StandInNamesOutstanding();
int StandInBadFrees();

}  // extern "C"

#endif  // BRIMWATER_TESTS_ADDIN_STANDIN_STANDIN_H
