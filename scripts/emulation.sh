# Sourced by the scripts: whether 32-bit x86 programs run under qemu's
# user-mode emulator rather than natively. scripts/install-deps.sh registers
# the emulator with binfmt_misc (as "qemu-i386") only where the kernel runs
# no 32-bit programs; a registered, enabled handler takes precedence over the
# kernel's own loader. Asked at run time, never remembered in a build folder.
i386_emulated() {
  local entry=/proc/sys/fs/binfmt_misc/qemu-i386
  [ -r "$entry" ] || return 1
  [ "$(head -n1 "$entry")" = enabled ] || return 1
  [ "$(cat /proc/sys/fs/binfmt_misc/status 2>/dev/null || echo enabled)" = enabled ]
}
