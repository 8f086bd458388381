; Quillbox-setup.exe: installs Quillbox for a pharmacy or upgrades it in place,
; and registers an uninstaller in Add/Remove Programs.
;
; Made by installer/CMakeLists.txt:
;   makensis -NOCD -DARCH=i686|x86_64 -DPROGRAM=<Quillbox.exe> -DSKIN=<skin folder>
;            -DFOOTER=<footer.rtf> -DICON=<Quillbox.ico> -DOUTFILE=<Quillbox-setup.exe> Quillbox.nsi
;
; Silent use:  Quillbox-setup.exe /S [/ACCOUNT=n] [/HOST=h] [/PORT=p] [/PIN=sha256] [/KEY=k] [/D=folder]
;              /PIN= pins Quarn's key and turns on the secure connection (PORT is then
;              the server's TLS port)
;              Uninstall.exe /S [/PURGE]
; Exit code 0 when done, 2 when the settings given are refused or the data-file
; key could not be stored.

; The setup program has the word size of the program it installs: a host that
; runs only 64-bit programs can install the x86_64 build.
!if "${ARCH}" == "x86_64"
  Target amd64-unicode
!else
  Unicode true
!endif
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include MUI2.nsh

!define VERSION "1.6"
!define PUBLISHER "Quarn Pharmaceutical Suppliers"
!define SETTINGS_KEY "SOFTWARE\Quarn Pharmaceutical Suppliers\Quillbox"
!define DATA_KEY_KEY "SOFTWARE\Quarn Pharmaceutical Suppliers\Common"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Quillbox"
!define MAIN_TITLE "Quarn Quillbox"
!define QUIT_REQUEST 0x8001       ; WM_APP + 1 to the main window
!define QUIT_WITHOUT_ASKING 10
!define DEFAULT_HOST "127.0.0.1"  ; the program's own defaults, shown on a first install
!define DEFAULT_PORT "7410"

; The program reads HKLM\SOFTWARE in its own registry view, which the setup
; program names for the build it installs.
!if "${ARCH}" == "x86_64"
  !define REG_VIEW 64
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else if "${ARCH}" == "i686"
  !define REG_VIEW 32
  !define PROGRAM_FILES "$PROGRAMFILES32"
!else
  !error "ARCH must be i686 or x86_64"
!endif

Name "Quillbox"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
BrandingText "${PUBLISHER}"
ShowInstDetails show

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC

Var Account
Var Host
Var Port
Var Pin
Var Key
Var StoredAccount
Var StoredHost
Var StoredPort
Var StoredPin
Var Upgrade
Var AccountField
Var HostField
Var PortField

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
Page custom SettingsPage SettingsPageLeave
!insertmacro MUI_PAGE_INSTFILES

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; --- both programs ------------------------------------------------------------

; A running Quillbox holds its program file: ask it to quit and wait until its
; window is gone and the file is free. It first finishes what it is doing (an
; order being sent, a dialog open on the screen) and never loses the order, so
; the wait is long; after it the person installing decides: Retry asks again
; and waits again, Cancel stops the setup. Quillbox is never ended by force: it
; may be sending an order.
!define CLOSE_WAIT_TENTHS 3000 ; 5 minutes: longer than a sending's attempts and its exchange deadline
!macro CLOSE_RUNNING_PROGRAM un
Function ${un}CloseRunningProgram
  StrCpy $1 0
  ${Do}
    FindWindow $0 "" "${MAIN_TITLE}"
    ${If} $0 != 0
      ${If} $1 == 0
        DetailPrint "Closing the running Quillbox"
        System::Call "user32::PostMessage(p r0, i ${QUIT_REQUEST}, p ${QUIT_WITHOUT_ASKING}, p 0)"
      ${EndIf}
    ${ElseIfNot} ${FileExists} "$INSTDIR\Quillbox.exe"
      Return
    ${Else}
      ClearErrors
      FileOpen $2 "$INSTDIR\Quillbox.exe" a
      ${IfNot} ${Errors}
        FileClose $2
        Return
      ${EndIf}
    ${EndIf}
    IntOp $1 $1 + 1
    ${If} $1 >= ${CLOSE_WAIT_TENTHS}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quillbox is still running: it may be sending an order or showing the answer.$\r$\nFinish there or close it, then choose Retry." \
        /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Abort "Quillbox is still running."
    retry:
      StrCpy $1 0
    ${EndIf}
    Sleep 100
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_PROGRAM ""
!insertmacro CLOSE_RUNNING_PROGRAM "un."

; --- settings -------------------------------------------------------------------

Function ReadStoredSettings
  ReadRegStr $StoredAccount HKLM "${SETTINGS_KEY}" "UserName"
  ReadRegStr $StoredHost HKLM "${SETTINGS_KEY}" "Host"
  ReadRegStr $StoredPort HKLM "${SETTINGS_KEY}" "Port"
  ReadRegStr $StoredPin HKLM "${SETTINGS_KEY}" "Pin"
  StrCpy $Account $StoredAccount
  StrCpy $Host $StoredHost
  StrCpy $Port $StoredPort
  StrCpy $Pin $StoredPin
FunctionEnd

; An option given on the command line replaces the stored value.
!macro TAKE_OPTION parameters name variable
  ClearErrors
  ${GetOptions} "${parameters}" "/${name}=" $0
  ${IfNot} ${Errors}
    StrCpy ${variable} $0
  ${EndIf}
!macroend

Function ReadOptions
  ${GetParameters} $R0
  !insertmacro TAKE_OPTION $R0 ACCOUNT $Account
  !insertmacro TAKE_OPTION $R0 HOST $Host
  !insertmacro TAKE_OPTION $R0 PORT $Port
  !insertmacro TAKE_OPTION $R0 PIN $Pin
  !insertmacro TAKE_OPTION $R0 KEY $Key
FunctionEnd

; $0 holds a character of $R0 that the program refuses in an account number
; ('~' ends a field of the order message; control codes), else "".
Function FindRefusedCharacter
  StrCpy $1 0
  ${Do}
    StrCpy $0 $R0 1 $1
    ${If} $0 == ""
    ${OrIf} $0 == "~"
    ${OrIf} $0 == "$\t"
    ${OrIf} $0 == "$\r"
    ${OrIf} $0 == "$\n"
      Return
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd

; $R9: why the settings can't be taken, or "" when they can.
Function CheckSettings
  StrCpy $R9 ""
  StrCpy $R0 $Account
  Call FindRefusedCharacter
  ${If} $0 != ""
    StrCpy $R9 "The account number can't hold '~' or control codes."
    Return
  ${EndIf}
  StrCpy $R0 $Host
  Call FindRefusedCharacter
  ${If} $0 != ""
    StrCpy $R9 "The wholesaler's host can't hold '~' or control codes."
    Return
  ${EndIf}
  ${If} $Port != ""
    IntOp $0 $Port + 0
    ${If} "$0" != "$Port"
    ${OrIf} $0 < 1
    ${OrIf} $0 > 65535
      StrCpy $R9 "The port must be a number from 1 to 65535."
    ${EndIf}
  ${EndIf}
  ; 32 bytes in hex, bare (sha256sum) or with colons between the bytes.
  StrLen $0 $Pin
  ${If} $0 != 0
  ${AndIf} $0 != 64
  ${AndIf} $0 != 95
    StrCpy $R9 "The pin must be the 64 hexadecimal digits of a SHA-256."
  ${EndIf}
FunctionEnd

; Only what differs from the stored settings is written, so an upgrade leaves
; them as they were.
!macro WRITE_SETTING name variable stored
  ${If} ${variable} != ""
  ${AndIf} ${variable} S!= ${stored}
    WriteRegStr HKLM "${SETTINGS_KEY}" "${name}" ${variable}
  ${EndIf}
!macroend

Function WriteSettings
  !insertmacro WRITE_SETTING UserName $Account $StoredAccount
  !insertmacro WRITE_SETTING Host $Host $StoredHost
  !insertmacro WRITE_SETTING Port $Port $StoredPort
  ${If} $Pin != ""
  ${AndIf} $Pin S!= $StoredPin
    WriteRegStr HKLM "${SETTINGS_KEY}" "Pin" $Pin
    WriteRegStr HKLM "${SETTINGS_KEY}" "SecureConnection" "1"
  ${EndIf}
FunctionEnd

Function SkipFolderOnUpgrade
  ${If} $Upgrade == 1
    Abort
  ${EndIf}
FunctionEnd

Function SettingsPage
  !insertmacro MUI_HEADER_TEXT "Your account" "The account number and the wholesaler's order server."
  nsDialogs::Create 1018
  Pop $0
  ${If} $Host == ""
    StrCpy $Host "${DEFAULT_HOST}"
  ${EndIf}
  ${If} $Port == ""
    StrCpy $Port "${DEFAULT_PORT}"
  ${EndIf}
  ${NSD_CreateLabel} 0 4u 90u 12u "Account number:"
  Pop $0
  ${NSD_CreateText} 95u 2u 120u 12u $Account
  Pop $AccountField
  ${NSD_CreateLabel} 0 24u 90u 12u "Wholesaler's host:"
  Pop $0
  ${NSD_CreateText} 95u 22u 120u 12u $Host
  Pop $HostField
  ${NSD_CreateLabel} 0 44u 90u 12u "Port:"
  Pop $0
  ${NSD_CreateNumber} 95u 42u 50u 12u $Port
  Pop $PortField
  ${NSD_SetFocus} $AccountField
  nsDialogs::Show
FunctionEnd

Function SettingsPageLeave
  ${NSD_GetText} $AccountField $Account
  ${NSD_GetText} $HostField $Host
  ${NSD_GetText} $PortField $Port
  Call CheckSettings
  ${If} $R9 != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION $R9
    Abort
  ${EndIf}
FunctionEnd

; --- the data-file key ------------------------------------------------------------

; $Key: 32 hex digits from a new GUID (122 random bits from the system's
; generator), for an installation that has no key yet.
Function MakeRandomKey
  System::Call "ole32::CoCreateGuid(g .r0) i .r1"
  StrCpy $1 $0 8 1
  StrCpy $2 $0 4 10
  StrCpy $3 $0 4 15
  StrCpy $4 $0 4 20
  StrCpy $5 $0 12 25
  StrCpy $Key "$1$2$3$4$5"
FunctionEnd

; A key already stored scrambles the pharmacy's order: it is kept unless a
; key is given on the command line.
Function ProvisionDataFileKey
  ${If} $Key == ""
    ClearErrors
    ReadRegStr $0 HKLM "${DATA_KEY_KEY}" "Seed"
    ${IfNot} ${Errors}
      Return
    ${EndIf}
    ClearErrors
    ReadRegStr $0 HKCU "${DATA_KEY_KEY}" "Seed"
    ${IfNot} ${Errors}
      Return
    ${EndIf}
    Call MakeRandomKey
  ${EndIf}
  DetailPrint "Storing the data-file key"
  ExecWait '"$INSTDIR\Quillbox.exe" /setkey $Key' $0
  ${If} $0 != 0
    SetErrorLevel 2
    Abort "The data-file key could not be stored."
  ${EndIf}
FunctionEnd

; --- the setup program -------------------------------------------------------------

Function .onInit
  SetRegView ${REG_VIEW}
  SetShellVarContext all
  ; An existing installation is upgraded where it is, unless /D names a folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $Upgrade 1
  ${EndIf}
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR $0
  ${EndIf}
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR "${PROGRAM_FILES}\Quarn\Quillbox"
  ${EndIf}
  Call ReadStoredSettings
  Call ReadOptions
  ${If} ${Silent}
    Call CheckSettings
    ${If} $R9 != ""
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Quillbox"
  SectionIn RO
  Call CloseRunningProgram
  SetOutPath "$INSTDIR"
  File "/oname=Quillbox.exe" "${PROGRAM}"
  File "/oname=footer.rtf" "${FOOTER}"
  ; The skin belongs to the program version: no file of an older skin stays.
  RMDir /r "$INSTDIR\Skin"
  SetOutPath "$INSTDIR\Skin"
  File "${SKIN}/*"
  SetOutPath "$INSTDIR"
  Call ProvisionDataFileKey
  Call WriteSettings

  CreateDirectory "$SMPROGRAMS\Quillbox"
  CreateShortCut "$SMPROGRAMS\Quillbox\Quillbox.lnk" "$INSTDIR\Quillbox.exe"
  CreateShortCut "$DESKTOP\Quillbox.lnk" "$INSTDIR\Quillbox.exe"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quillbox"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillbox.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; --- the pharmacy's standard users -------------------------------------------------
; The data stay beside the program, where only administrators may write: the
; pharmacy's users could never save an order. The Users group (named by its
; SID, S-1-5-32-545, which every language of Windows knows) may change the
; order, the product database, History and Logs, and make new files in the
; folder (an order is saved beside itself and moved over; the update "one";
; crash dumps). Files made there later inherit that right, but only files
; directly in the folder, never those of a subfolder such as Skin; the
; program's own files are shut off from the inheritance first, so no user can
; change them. The settings key gets read and write for Users from the
; program itself, in the registry view it reads. Nothing moves. A step that
; fails is reported in the details and the installation goes on: the program
; still works for administrators.

!macro ICACLS arguments
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" ${arguments}'
  Pop $0
  ${If} $0 != 0
    DetailPrint `icacls ${arguments} failed: $0`
  ${EndIf}
!macroend

!define USERS "*S-1-5-32-545"

Section "-Rights of the pharmacy's users"
  CreateDirectory "$INSTDIR\History"
  CreateDirectory "$INSTDIR\Logs"
  !insertmacro ICACLS '"$INSTDIR\Quillbox.exe" /inheritance:d'
  !insertmacro ICACLS '"$INSTDIR\Uninstall.exe" /inheritance:d'
  !insertmacro ICACLS '"$INSTDIR\footer.rtf" /inheritance:d'
  !insertmacro ICACLS '"$INSTDIR" /grant ${USERS}:(WD) /grant ${USERS}:(OI)(IO)(NP)(M)'
  !insertmacro ICACLS '"$INSTDIR\History" /grant ${USERS}:(OI)(CI)(M)'
  !insertmacro ICACLS '"$INSTDIR\Logs" /grant ${USERS}:(OI)(CI)(M)'
  ${If} ${FileExists} "$INSTDIR\Current.dat"
    !insertmacro ICACLS '"$INSTDIR\Current.dat" /grant ${USERS}:(M)'
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Database.dat"
    !insertmacro ICACLS '"$INSTDIR\Database.dat" /grant ${USERS}:(M)'
  ${EndIf}
  ExecWait '"$INSTDIR\Quillbox.exe" /grantusers' $0
  ${If} $0 != 0
    DetailPrint "The settings key could not be opened to the pharmacy's users."
  ${EndIf}
SectionEnd

; --- the uninstaller ----------------------------------------------------------------

Section "un.Quillbox"
  SectionIn RO
  Call un.CloseRunningProgram
  Delete "$INSTDIR\Quillbox.exe"
  Delete "$INSTDIR\footer.rtf"
  RMDir /r "$INSTDIR\Skin"
  Delete "$SMPROGRAMS\Quillbox\Quillbox.lnk"
  RMDir "$SMPROGRAMS\Quillbox"
  Delete "$DESKTOP\Quillbox.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
SectionEnd

; Left out unless chosen (or /PURGE): the pharmacy's order, its history, the
; product database, logs and settings. The data-file key stays, as the
; supplier's other programs share it.
Section /o "un.Orders, history and settings" UnPurge
  Delete "$INSTDIR\Current.dat"
  Delete "$INSTDIR\Database.dat"
  Delete "$INSTDIR\*.new"
  Delete "$INSTDIR\*.dmp"
  Delete "$INSTDIR\one"
  RMDir /r "$INSTDIR\History"
  RMDir /r "$INSTDIR\Logs"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

; Folders go only when nothing is left in them (the setup program makes
; History and Logs, so they may stand empty).
Section "-un.Folders"
  RMDir "$INSTDIR\History"
  RMDir "$INSTDIR\Logs"
  RMDir "$INSTDIR"
  RMDir "${PROGRAM_FILES}\Quarn"
SectionEnd

Function un.onInit
  SetRegView ${REG_VIEW}
  SetShellVarContext all
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/PURGE" $0
  ${IfNot} ${Errors}
    SectionSetFlags ${UnPurge} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
