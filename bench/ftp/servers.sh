# The local FTP servers of the FTP benchmarks, sourced by them. The caller sets WORK (a scratch
# folder of mode 755) and PIDS (an array the caller's clean-up kills). start_vsftpd sets PORT,
# USER, PASS, DIR (the folder to upload into, as the server names it), LANDED (where the files
# land on disk) and TLS (the certificate's SHA-256 fingerprint, empty without TLS).
# SPDX-License-Identifier: GPL-3.0-or-later

free_port() { /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
wait_port() { for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0; sleep 0.05; done; return 1; }

start_vsftpd() { # [tls]
  local root=$WORK/vsftpd${1:-} port
  port=$(free_port)
  mkdir -p "$root/anon/upload" "$root/empty"
  chmod 755 "$root" "$root/anon" "$root/empty"
  chown ftp:ftp "$root/anon/upload"
  cat > "$root/vsftpd.conf" <<CONF
listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port=$port
background=NO
seccomp_sandbox=NO
isolate=NO
isolate_network=NO
secure_chroot_dir=$root/empty
connect_from_port_20=NO
anonymous_enable=YES
local_enable=NO
anon_root=$root/anon
write_enable=YES
anon_upload_enable=YES
anon_mkdir_write_enable=YES
anon_other_write_enable=YES
no_anon_password=YES
anon_umask=022
xferlog_enable=NO
CONF
  TLS=
  if [ -n "${1:-}" ]; then
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$root/key.pem" -out "$root/cert.pem" \
      -days 2 -subj /CN=127.0.0.1 2>/dev/null
    cat >> "$root/vsftpd.conf" <<CONF
ssl_enable=YES
allow_anon_ssl=YES
force_anon_logins_ssl=YES
force_anon_data_ssl=YES
rsa_cert_file=$root/cert.pem
rsa_private_key_file=$root/key.pem
CONF
    TLS=$(openssl x509 -in "$root/cert.pem" -noout -fingerprint -sha256 | cut -d= -f2)
  fi
  /usr/sbin/vsftpd "$root/vsftpd.conf" & PIDS+=($!)
  wait_port "$port"
  PORT=$port USER=anonymous PASS=x DIR=/upload LANDED=$root/anon/upload
}
start_vsftpd_tls() { start_vsftpd _tls; }
