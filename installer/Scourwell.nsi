; Per-user setup of Scourwell: no elevation, installed into the user's local programs folder so
; that setting.ini and update.ini beside the program stay writable. Registers the shell
; extension for this user only (HKCU\Software\Classes) and its context-menu entry for all files.
;
; makensis -DBIN_DIR=<folder with the built programs> -DOUT_FILE=<setup.exe> Scourwell.nsi

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef BIN_DIR
  !error "BIN_DIR must name the folder of the built programs"
!endif
!ifndef OUT_FILE
  !define OUT_FILE "scourwell-setup.exe"
!endif

!define PRODUCT "Scourwell"
!define VERSION "1.0.0.0"
!define PUBLISHER "Scourwell"
!define CLSID "{5C0A7E31-8B1D-4F6A-9E2C-3D7B41A6F0C9}"
!define LIBID "{7E4B2D90-1C3F-4A85-B6E7-2F9D0C8A5B13}"
!define IID_INIXSHL "{A3D61F2E-5B07-4C9A-8E14-6F2B9D3C7A58}"
; The automation marshaller that serves every dual interface described by a type library.
!define PSOA "{00020424-0000-0000-C000-000000000046}"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scourwell"
!define APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Scourwell"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Sets $R9 to 1 when the folder in $R8 is a drive root or one of the system's or the user's top
; folders (or the folder that holds every profile): installed there, the program's files would sit
; among everything else, and an emptied folder of that kind must never be removed. NSIS compares
; without regard to case.
!include "StrFunc.nsh"
${StrStr}

!macro CompareTo FOLDER
  StrCmp $R8 "${FOLDER}" protected
!macroend
!macro ProtectedFolderCheck PREFIX
Function ${PREFIX}IsProtectedFolder
  Push $R7
  StrCpy $R9 0
  ; A drive ("C:" is one too: given to the system it would stand for the current folder).
  StrLen $R7 $R8
  IntCmp $R7 3 protected protected
  ; The full form where the system can give one (not for a folder whose parent does not exist).
  StrCpy $R7 $R8
  ClearErrors
  GetFullPathName $R8 $R8
  IfErrors 0 +2
    StrCpy $R8 $R7
  StrLen $R7 $R8
  IntCmp $R7 3 protected protected
  StrCpy $R7 $R8 1 -1
  StrCmp $R7 "\" 0 +2
    StrCpy $R8 $R8 -1
  !insertmacro CompareTo $WINDIR
  !insertmacro CompareTo $SYSDIR
  !insertmacro CompareTo $PROGRAMFILES
  !insertmacro CompareTo $PROGRAMFILES32
  !insertmacro CompareTo $PROGRAMFILES64
  !insertmacro CompareTo $COMMONFILES
  !insertmacro CompareTo $PROFILE
  !insertmacro CompareTo $APPDATA
  !insertmacro CompareTo $LOCALAPPDATA
  !insertmacro CompareTo $DOCUMENTS
  !insertmacro CompareTo $DESKTOP
  !insertmacro CompareTo $MUSIC
  !insertmacro CompareTo $PICTURES
  !insertmacro CompareTo $VIDEOS
  !insertmacro CompareTo $TEMP
  ; The folder that holds the profile.
  Push $PROFILE
  Call ${PREFIX}ParentFolder
  Pop $R7
  StrCmp $R8 $R7 protected
  Goto done
  protected:
  StrCpy $R9 1
  done:
  Pop $R7
FunctionEnd

; The folder above the one on the stack, in its place.
Function ${PREFIX}ParentFolder
  Exch $R0
  Push $R1
  Push $R2
  StrLen $R1 $R0
  loop:
    IntOp $R1 $R1 - 1
    IntCmp $R1 0 found found
    StrCpy $R2 $R0 1 $R1
    StrCmp $R2 "\" found loop
  found:
  StrCpy $R0 $R0 $R1
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd
!macroend
!insertmacro ProtectedFolderCheck ""
!insertmacro ProtectedFolderCheck "un."

Function .onInit
  SetShellVarContext current
  SetRegView 64
  ; A silent setup takes its folder from /D= and shows no page that could refuse it. NSIS itself
  ; drops a /D= naming a drive root and goes on into its default folder: the folder asked for is
  ; read from the command line, so such a request is refused rather than rerouted.
  System::Call 'kernel32::GetCommandLineW() t .R8'
  ${StrStr} $R7 $R8 " /D="
  StrCmp $R7 "" asked_ok
  StrCpy $R8 $R7 "" 4
  Call IsProtectedFolder
  IntCmp $R9 1 refuse
  asked_ok:
  StrCpy $R8 $INSTDIR
  Call IsProtectedFolder
  IntCmp $R9 1 0 target_ok target_ok
  refuse:
    IfSilent +2
    MessageBox MB_ICONSTOP|MB_OK "Scourwell cannot be installed into $R8: it is a drive or a folder of Windows or of your own, which would then hold the program's files among everything else. Choose a folder of its own."
    SetErrorLevel 2
    Quit
  target_ok:
FunctionEnd

; The folder page refuses such a folder before Install can be pressed.
Function .onVerifyInstDir
  StrCpy $R8 $INSTDIR
  Call IsProtectedFolder
  IntCmp $R9 1 0 +2 +2
    Abort
FunctionEnd

Function un.onInit
  SetShellVarContext current
  SetRegView 64
FunctionEnd

Section "Scourwell"
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/Scourwell.exe"
  File "${BIN_DIR}/scourwell-cli.exe"
  File "${BIN_DIR}/lumeShl.dll"
  SetOutPath "$INSTDIR\rules"
  File "${BIN_DIR}/rules/modern.ini"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The class, as the DLL's own registry script writes it, and its ProgIDs.
  WriteRegStr HKCU "${CLASSES}\LumeShl.NixShl.1" "" "NixShl Class"
  WriteRegStr HKCU "${CLASSES}\LumeShl.NixShl.1\CLSID" "" "${CLSID}"
  WriteRegStr HKCU "${CLASSES}\LumeShl.NixShl" "" "NixShl Class"
  WriteRegStr HKCU "${CLASSES}\LumeShl.NixShl\CLSID" "" "${CLSID}"
  WriteRegStr HKCU "${CLASSES}\LumeShl.NixShl\CurVer" "" "LumeShl.NixShl.1"
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}" "" "NixShl Class"
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}\ProgID" "" "LumeShl.NixShl.1"
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}\VersionIndependentProgID" "" "LumeShl.NixShl"
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}\Programmable" "" ""
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}\InprocServer32" "" "$INSTDIR\lumeShl.dll"
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}\InprocServer32" "ThreadingModel" "Apartment"
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}\TypeLib" "" "${LIBID}"

  ; The type library (resource 1 of the DLL) and its dual interface, as registering it writes them.
  WriteRegStr HKCU "${CLASSES}\TypeLib\${LIBID}\1.0" "" "lumeShl 1.0 Type Library"
  WriteRegStr HKCU "${CLASSES}\TypeLib\${LIBID}\1.0\0\win64" "" "$INSTDIR\lumeShl.dll"
  WriteRegStr HKCU "${CLASSES}\TypeLib\${LIBID}\1.0\FLAGS" "" "0"
  WriteRegStr HKCU "${CLASSES}\TypeLib\${LIBID}\1.0\HELPDIR" "" "$INSTDIR"
  WriteRegStr HKCU "${CLASSES}\Interface\${IID_INIXSHL}" "" "INixShl"
  WriteRegStr HKCU "${CLASSES}\Interface\${IID_INIXSHL}\ProxyStubClsid" "" "${PSOA}"
  WriteRegStr HKCU "${CLASSES}\Interface\${IID_INIXSHL}\ProxyStubClsid32" "" "${PSOA}"
  WriteRegStr HKCU "${CLASSES}\Interface\${IID_INIXSHL}\TypeLib" "" "${LIBID}"
  WriteRegStr HKCU "${CLASSES}\Interface\${IID_INIXSHL}\TypeLib" "Version" "1.0"

  ; The file manager loads the class for the context menu of every file (and, where policy asks
  ; for it, only an approved one).
  WriteRegStr HKCU "${CLASSES}\*\shellex\ContextMenuHandlers\LumeShl" "" "${CLSID}"
  WriteRegStr HKCU "${APPROVED_KEY}" "${CLSID}" "NixShl Class"

  CreateShortcut "$SMPROGRAMS\Scourwell.lnk" "$INSTDIR\Scourwell.exe" "" "$INSTDIR\Scourwell.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Scourwell.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; Only the files the setup wrote, by name. The files the program writes beside itself go too,
  ; but only while our program is there to mark them as ours: another program's setting.ini in a
  ; folder we merely shared stays.
  IfFileExists "$INSTDIR\Scourwell.exe" 0 +3
    Delete "$INSTDIR\setting.ini"
    Delete "$INSTDIR\update.ini"
  Delete /REBOOTOK "$INSTDIR\lumeShl.dll"
  Delete "$INSTDIR\Scourwell.exe"
  Delete "$INSTDIR\scourwell-cli.exe"
  ; Rule files the user added stay, and with them the folder.
  Delete "$INSTDIR\rules\modern.ini"
  RMDir "$INSTDIR\rules"
  ; The copy of the uninstaller that runs this may start before the original has ended: retry
  ; for up to five seconds, or the folder would stay behind.
  StrCpy $0 0
  delete_uninstaller:
    Delete "$INSTDIR\uninstall.exe"
    IfFileExists "$INSTDIR\uninstall.exe" 0 uninstaller_deleted
    IntOp $0 $0 + 1
    IntCmp $0 50 uninstaller_deleted
    Sleep 100
    Goto delete_uninstaller
  uninstaller_deleted:
  ; The folder goes only when nothing else is left in it, and never when it is a top folder that
  ; an older setup let it be installed into.
  StrCpy $R8 $INSTDIR
  Call un.IsProtectedFolder
  IntCmp $R9 1 +2
    RMDir "$INSTDIR"

  DeleteRegKey HKCU "${CLASSES}\*\shellex\ContextMenuHandlers\LumeShl"
  DeleteRegKey /ifempty HKCU "${CLASSES}\*\shellex\ContextMenuHandlers"
  DeleteRegKey /ifempty HKCU "${CLASSES}\*\shellex"
  DeleteRegKey /ifempty HKCU "${CLASSES}\*"
  DeleteRegValue HKCU "${APPROVED_KEY}" "${CLSID}"
  DeleteRegKey HKCU "${CLASSES}\CLSID\${CLSID}"
  DeleteRegKey HKCU "${CLASSES}\LumeShl.NixShl.1"
  DeleteRegKey HKCU "${CLASSES}\LumeShl.NixShl"
  DeleteRegKey HKCU "${CLASSES}\TypeLib\${LIBID}"
  DeleteRegKey HKCU "${CLASSES}\Interface\${IID_INIXSHL}"

  Delete "$SMPROGRAMS\Scourwell.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Scourwell"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
