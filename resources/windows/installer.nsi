; The Windows installer plinvaro-setup.exe: plinvaro.exe and README.txt, a Start-menu entry and a registered uninstaller.
;
; An administrator installs for all users into Program Files; any other user
; gets a per-user install in the local programs folder, with the Start-menu
; entry and the uninstall record in the user's own profile and registry.
; /S installs or uninstalls silently; /D=folder chooses the folder.
; makensis gets the files and the version: -DEXE=... -DREADME=... -DVERSION=... -DOUTFILE=...

Unicode true
SetCompressor /SOLID lzma

!ifndef EXE | README | VERSION | OUTFILE
  !error "makensis needs -DEXE, -DREADME, -DVERSION and -DOUTFILE"
!endif

!define APP "Plinvaro"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${APP}"
RequestExecutionLevel highest
ShowInstDetails nevershow
ShowUninstDetails nevershow

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  UserInfo::GetAccountType
  Pop $0
  StrCmp $0 "Admin" 0 perUser
  SetShellVarContext all
  Return
perUser:
  SetShellVarContext current
  ; A folder given with /D stays as given.
  StrCmp $INSTDIR "$PROGRAMFILES\${APP}" 0 +2
  StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${APP}"
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "/oname=plinvaro.exe" "${EXE}"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\plinvaro.exe"
  ; SHCTX is HKLM for all users, HKCU for one.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\plinvaro.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller undoes the install its own folder belongs to: all users when
; the machine-wide record names this folder, else the current user's.
Function un.onInit
  SetShellVarContext current
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 $INSTDIR 0 +2
  SetShellVarContext all
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\plinvaro.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
