; SPDX-License-Identifier: Apache-2.0
; The Windows installer, built on Debian with makensis by scripts/windows.sh:
;
;   makensis -DVERSION=1.0.2 -DPACKAGE_DIR=... -DFILES=... -DLICENSE_FILE=... \
;            -DOUTFILE=... kestra-setup.nsi
;
; PACKAGE_DIR is the unzipped program folder, FILES the generated list of its
; files (packaging/windows/file-list.sh), LICENSE_FILE the licence page's text
; (NOTICE, then LICENSE).
;
; Per user, without administrator rights, by default; for all users when the
; installer runs elevated. /CurrentUser and /AllUsers choose explicitly, /S is
; silent. The uninstaller keeps the user's stored choices (the program's
; registry key) unless it is given /PURGE or the user says so when asked.

; A 64-bit installer for a 64-bit program: it needs no 32-bit subsystem (a
; 64-bit-only Wine prefix has none) and sees the 64-bit registry and folders.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include x64.nsh

!ifndef VERSION
  !error "VERSION is not defined"
!endif

!define PRODUCT "Kestra Setup"
!define PUBLISHER "The Kestra Setup developers"
; The windows, which the Start menu and the finish page start; the command
; line, kestra-setup-cli.exe, is a console program in the same folder.
!define EXE "kestra-setup.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KestraSetup"
; Where the program keeps its stored choices, in both hives (the machine key
; when it may write there, the user key otherwise).
!define CHOICES_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\Kestra.exe"

Name "${PRODUCT}"
Caption "Install ${PRODUCT} ${VERSION}"
UninstallCaption "Uninstall ${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var AllUsers ; 1: for all users (HKLM, Program Files), 0: for this user
Var Purge    ; uninstaller: 1 removes the stored choices too

; Chooses the hive and the shell folders for $AllUsers.
!macro UseInstallMode
  ; The program is 64-bit: its keys are in the 64-bit view of HKLM.
  SetRegView 64
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP|MB_OK "${PRODUCT} needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  ; Elevated: for all users; otherwise for this user. The command line decides
  ; where it says.
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    ${If} $0 != "Admin"
      MessageBox MB_ICONSTOP|MB_OK "Installing for all users needs administrator rights: start the installer as an administrator." /SD IDOK
      SetErrorLevel 5 ; ERROR_ACCESS_DENIED
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
  ${EndIf}
  !insertmacro UseInstallMode
  ; A folder given with /D= wins; otherwise an earlier install's folder, so
  ; an upgrade replaces it; otherwise the usual one.
  ${If} $INSTDIR == ""
    ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${EndIf}
  ${If} $INSTDIR == ""
  ${AndIf} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${ElseIf} $INSTDIR == ""
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  ; An upgrade: the files the older version installed go first (its list may
  ; differ from this one's); the stored choices are not touched.
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    ExecWait '"$INSTDIR\${UNINSTALLER}" /S /KeepShortcut _?=$INSTDIR' $0
    Delete "$INSTDIR\${UNINSTALLER}"
  ${EndIf}

  !include "${FILES}"

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  ; The install mode is where this uninstaller's folder is registered.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 0
  ${Else}
    StrCpy $AllUsers 1
  ${EndIf}
  !insertmacro UseInstallMode
  StrCpy $Purge 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/PURGE" $R1
  ${IfNot} ${Errors}
    StrCpy $Purge 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !include "${UNFILES}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  ; Run by a newer installer before it puts its own files in place: the
  ; shortcut and the entry stay for it to rewrite.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/KeepShortcut" $R1
  ${If} ${Errors}
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ; The measured fonts are the program's own cache, not a choice.
    SetShellVarContext current
    RMDir /r "$LOCALAPPDATA\kestra-setup\cache"
    RMDir "$LOCALAPPDATA\kestra-setup"
    !insertmacro UseInstallMode

    ${If} $Purge == 0
      MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Also remove your stored choices (language, camera model, TV mode)?" /SD IDNO IDNO keep
      StrCpy $Purge 1
      keep:
    ${EndIf}
    ${If} $Purge == 1
      DeleteRegKey HKCU "${CHOICES_KEY}"
      DeleteRegKey HKLM "${CHOICES_KEY}"
    ${EndIf}
  ${EndIf}
SectionEnd
