# Puts a Knobstation settings file on ZAV Ferrostrike printers through knobctl on the managed
# host. The printers cannot be read back: "changed" comes from knobctl's record of what each
# queue was last sent and accepted.

DOCUMENTATION = r"""
module: knobstation_settings
short_description: Send a Knobstation settings file to ZAV Ferrostrike printer queues
description:
  - Runs C(knobctl send --if-changed) on the managed host. A queue whose record of what it was
    last sent and accepted holds the file's block is left alone.
  - Check mode sends nothing (C(knobctl send --dry-run)); diff mode shows
    C(knobctl diff --sent) for every queue that would get the file.
options:
  src:
    description: A settings file (*.dat) or a text as C(knobctl export) writes it, on the
      controller; the action copies it to the managed host.
    type: path
    required: true
  queues:
    description: Queue names (QUEUE or QUEUE@SERVER), or C(all) for every queue that serves
      the file's program.
    type: list
    elements: str
    required: true
  server:
    description: Print servers (HOST, HOST:PORT or a socket path); default CUPS_SERVER or
      client.conf of the managed host.
    type: list
    elements: str
  force:
    description: Send also to queues whose record already holds the file's block.
    type: bool
    default: false
"""

EXAMPLES = r"""
- name: Office settings on every Q18RW printer
  knobstation_settings:
    src: office.dat
    queues: all
"""

import json
import os
import tempfile

from ansible.module_utils.basic import AnsibleModule

# What knobctl reports for a queue that holds the file's block, or would in a dry run; held
# (a paused queue keeps the job) is not among them: the printer does not have it.
SUCCESS = ("sent", "unchanged")


def is_settings_file(path):
    # A settings file is its program's identifier, a NUL byte and the block; a text has no NUL.
    with open(path, "rb") as source:
        return b"\0" in source.read(64)


def knobctl(module, arguments):
    return module.run_command([module.get_bin_path("knobctl", required=True)] + arguments)


def settings_file(module, src, folder):
    if is_settings_file(src):
        return src
    path = os.path.join(folder, "settings.dat")
    status, _, err = knobctl(module, ["import", src, "-o", path])
    if status != 0:
        module.fail_json(msg="knobctl import of %s failed: %s" % (module.params["src"], err.strip()))
    return path


def send(module, path, plan_only):
    queues = module.params["queues"]
    arguments = ["send", "--json"]
    if plan_only:
        arguments += ["--dry-run", "--if-changed"]
    elif not module.params["force"]:
        arguments.append("--if-changed")
    for server in module.params["server"] or []:
        arguments += ["--server", server]
    # After "--" a queue name that starts with "-" is still a name.
    arguments += ["--all", "--", path] if queues == ["all"] else ["--", path] + queues
    status, out, err = knobctl(module, arguments)
    try:
        rows = json.loads(out) if out.strip() else []
    except ValueError:
        rows = []
    if status == 2 or not rows:
        module.fail_json(msg="knobctl send: %s" % (err.strip() or "no report"), rc=status)
    return rows


def name_of(row):
    return "%s@%s" % (row["queue"], row["server"])


def diff_of(module, path, row):
    _, out, err = knobctl(module, ["diff", "--sent", name_of(row), path])
    header = "--- %s, as last sent\n+++ %s\n" % (name_of(row), os.path.basename(module.params["src"]))
    return {"prepared": header + out + err}


def main():
    module = AnsibleModule(
        argument_spec=dict(
            src=dict(type="path", required=True),
            queues=dict(type="list", elements="str", required=True),
            server=dict(type="list", elements="str"),
            force=dict(type="bool", default=False),
        ),
        supports_check_mode=True,
    )
    if not module.params["queues"]:
        module.exit_json(changed=False, queues=[])
    with tempfile.TemporaryDirectory() as folder:
        path = settings_file(module, module.params["src"], folder)
        # Which queues' records differ from the file, before anything is sent.
        plan = send(module, path, plan_only=True)
        differing = set(name_of(row) for row in plan if row["result"] == "sent")
        diff = [diff_of(module, path, row) for row in plan if name_of(row) in differing] if module._diff else []
        rows = plan if module.check_mode else send(module, path, plan_only=False)
    failed = [row for row in rows if row["result"] not in SUCCESS]
    changed = any(row["result"] == "sent" and name_of(row) in differing for row in rows)
    result = dict(changed=changed, queues=rows)
    if diff:
        result["diff"] = diff
    if failed:
        module.fail_json(msg="; ".join("%s: %s" % (name_of(row), row["message"]) for row in failed), **result)
    module.exit_json(**result)


if __name__ == "__main__":
    main()
