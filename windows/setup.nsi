; The setup program for 64-bit Windows, which scripts/build-windows makes with
; makensis: the zip's files under Program Files\MOJIK, the Start menu shortcut,
; the entry in the list of installed apps, "MOJIK で開く" on folders, the App
; Paths key and, when asked for, the folder on the system PATH. Its uninstaller
; takes back each of these and leaves the journals in %LOCALAPPDATA%\mojik,
; which are the user's.
; makensis -INPUTCHARSET UTF8 -DVERSION=… -DFILES=…/setup/files.nsh -DLICENSE=…/LICENSE.txt -DOUTFILE=…-setup.exe
Unicode true
Target amd64-unicode
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include Sections.nsh
!include WinMessages.nsh
!include ${FILES} ; MOJIK_INSTALL_FILES, MOJIK_REMOVE_FILES, MOJIK_REMOVE_FOLDERS: the zip's by name

!define TITLE "ファイル名の大／小文字一括変換ツール" ; the window's title
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\MOJIK"
!define APP_PATHS_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\mojik.exe"
!define FOLDER_VERB_KEY "Software\Classes\Directory\shell\MOJIK"
!define BACKGROUND_VERB_KEY "Software\Classes\Directory\Background\shell\MOJIK"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
; The longest text a variable holds: a longer one is cut, so reaching it means too long.
!define /math LONGEST ${NSIS_MAX_STRLEN} - 1

Name "MOJIK"
OutFile "${OUTFILE}"
; A later version installs where this one is, and replaces it.
InstallDir "$PROGRAMFILES64\MOJIK"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" InstallLocation
BrandingText "MOJIK ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1041 ProductName "MOJIK"
VIAddVersionKey /LANG=1041 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1041 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1041 FileDescription "MOJIK ${VERSION} セットアップ"
VIAddVersionKey /LANG=1041 CompanyName "The MOJIK developers"
VIAddVersionKey /LANG=1041 LegalCopyright "Copyright (c) 2026 The MOJIK developers (MIT)"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Var pathEntry ; 1 when the installation this one replaces put its folder on PATH

Section "MOJIK" SecProgram
    SectionIn RO
    Call RemovePrevious
    !insertmacro MOJIK_INSTALL_FILES
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut starts in $OUTDIR, the last folder files went to: started from
    ; the menu, the window shows the user's own folder instead, as a desktop's
    ; menu starts it in the home folder on Linux.
    StrCpy $OUTDIR "%USERPROFILE%"
    CreateShortcut "$SMPROGRAMS\MOJIK.lnk" "$INSTDIR\mojik.exe" "" "$INSTDIR\mojik.exe" 0 SW_SHOWNORMAL "" "${TITLE}"

    ; The folder itself arrives as %1; the folder whose background was clicked
    ; as %V, which is "D:\" at a drive's root: quoted, its backslash would
    ; escape the closing quote, and the dot after it names the same folder.
    WriteRegStr HKLM "${FOLDER_VERB_KEY}" "" "MOJIK で開く"
    WriteRegStr HKLM "${FOLDER_VERB_KEY}" Icon "$INSTDIR\mojik.exe"
    WriteRegStr HKLM "${FOLDER_VERB_KEY}\command" "" '"$INSTDIR\mojik.exe" "%1"'
    WriteRegStr HKLM "${BACKGROUND_VERB_KEY}" "" "MOJIK で開く"
    WriteRegStr HKLM "${BACKGROUND_VERB_KEY}" Icon "$INSTDIR\mojik.exe"
    WriteRegStr HKLM "${BACKGROUND_VERB_KEY}\command" "" '"$INSTDIR\mojik.exe" "%V."'

    WriteRegStr HKLM "${APP_PATHS_KEY}" "" "$INSTDIR\mojik.exe"
    WriteRegStr HKLM "${APP_PATHS_KEY}" Path "$INSTDIR"

    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "MOJIK"
    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "The MOJIK developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\mojik.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

; The console build, mojik.com, typed as "mojik" in cmd.exe. The entry is
; appended to the registry's own PATH, its %variables% unexpanded, and only
; when it is not there already.
Section /o "PATH に追加する (コマンドプロンプト用)" SecPath
    ClearErrors
    ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" Path
    ${If} ${Errors}
        ; Absent, or longer than makensis's strings hold: writing it back would lose it.
        MessageBox MB_ICONEXCLAMATION|MB_OK "システムの PATH を読めなかったので、$INSTDIR を PATH に追加しませんでした。" /SD IDOK
        SetErrorLevel 2
        Return
    ${EndIf}
    ; Room for the PATH with the entry and a ";" either side, as the search below takes it.
    StrLen $1 "$0;$INSTDIR;"
    ${If} $1 >= ${LONGEST}
        MessageBox MB_ICONEXCLAMATION|MB_OK "システムの PATH が長すぎるので、$INSTDIR を PATH に追加しませんでした。" /SD IDOK
        SetErrorLevel 2
        Return
    ${EndIf}
    ${WordReplace} ";$0;" ";$INSTDIR;" ";" "+1" $1
    ${If} $1 != ";$0;"
        DetailPrint "$INSTDIR は PATH にあります。"
        Return
    ${EndIf}
    StrCpy $1 "$0;$INSTDIR"
    ${If} $0 == ""
        StrCpy $1 "$INSTDIR"
    ${EndIf}
    WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" Path $1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" PathEntry 1
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
SectionEnd

Function .onInit
    SetShellVarContext all
    ; An installation that put its folder on PATH keeps it there when replaced;
    ; /PATH asks for it when nobody ticks the box (/S).
    ReadRegDWORD $pathEntry HKLM "${UNINSTALL_KEY}" PathEntry
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/PATH" $1
    ${IfNot} ${Errors}
    ${OrIf} $pathEntry == 1
        !insertmacro SelectSection ${SecPath}
    ${EndIf}
FunctionEnd

; An earlier installation goes first, by its own uninstaller, so that files it
; had and this version has not do not stay behind.
Function RemovePrevious
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" InstallLocation
    ${If} $0 == ""
    ${OrIfNot} ${FileExists} "$0\uninstall.exe"
        Return
    ${EndIf}
    ClearErrors
    ExecWait '"$0\uninstall.exe" /S _?=$0' $1
    ${If} ${Errors}
    ${OrIf} $1 != 0
        MessageBox MB_ICONSTOP|MB_OK "以前の MOJIK ($0) を削除できなかったので、インストールを中止します。" /SD IDOK
        Abort
    ${EndIf}
    ; Run in place, the uninstaller cannot remove itself.
    Delete "$0\uninstall.exe"
    RMDir "$0"
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section Uninstall
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" PathEntry
    ${If} $0 == 1
        ClearErrors
        ReadRegStr $1 HKLM "${ENVIRONMENT_KEY}" Path
        ${IfNot} ${Errors}
            StrLen $2 ";$1;"
        ${EndIf}
        ${If} ${Errors}
        ${OrIf} $2 >= ${LONGEST}
            MessageBox MB_ICONEXCLAMATION|MB_OK "システムの PATH を読めないか長すぎるので、PATH から $INSTDIR を削除しませんでした。" /SD IDOK
            SetErrorLevel 2
        ${Else}
            ; The last ";folder" goes, and every other character of PATH stays.
            ${un.WordReplace} ";$1;" ";$INSTDIR;" ";" "-1" $2
            StrCpy $2 $2 "" 1
            StrCpy $2 $2 -1
            WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" Path $2
            SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
        ${EndIf}
    ${EndIf}

    ClearErrors
    !insertmacro MOJIK_REMOVE_FILES
    Delete "$SMPROGRAMS\MOJIK.lnk"
    ${If} ${Errors}
        MessageBox MB_ICONEXCLAMATION|MB_OK "使用中などで削除できなかったファイルが $INSTDIR に残っています。" /SD IDOK
        SetErrorLevel 2
    ${EndIf}
    ; This fails where a newer setup program runs the uninstaller in place, and
    ; then removes it itself.
    Delete "$INSTDIR\uninstall.exe"
    ; Whatever else the folders hold is the user's, and keeps them.
    !insertmacro MOJIK_REMOVE_FOLDERS
    RMDir "$INSTDIR"

    DeleteRegKey HKLM "${FOLDER_VERB_KEY}"
    DeleteRegKey HKLM "${BACKGROUND_VERB_KEY}"
    ; Made for the verbs where no other program has any.
    DeleteRegKey /ifempty HKLM "Software\Classes\Directory\shell"
    DeleteRegKey /ifempty HKLM "Software\Classes\Directory\Background\shell"
    DeleteRegKey /ifempty HKLM "Software\Classes\Directory\Background"
    DeleteRegKey /ifempty HKLM "Software\Classes\Directory"
    DeleteRegKey HKLM "${APP_PATHS_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
