// Test program for the launcher on a real runtime: reports what main received and what the
// VM was given, or behaves as the "probe" system property asks.
import java.lang.management.ManagementFactory;
import java.nio.file.Files;
import java.nio.file.Path;

public class Probe {
  private static int depth;

  public static void main(String[] args) throws Exception {
    switch (System.getProperty("probe", "echo")) {
      case "echo":
        echo(args);
        break;
      case "throw":
        throw new IllegalStateException("thrown by main");
      case "exit":
        System.exit(Integer.parseInt(args[0]));
        break;
      case "linger":
        linger(Path.of(args[0]));
        break;
      case "print":
        System.out.println("to out " + String.join(" ", args));
        System.err.println("to err " + String.join(" ", args));
        break;
      case "depth":
        System.out.println("depth=" + depth());
        break;
      default:
        throw new IllegalArgumentException("unknown probe");
    }
  }

  // Arguments as UTF-16 code units, so nothing depends on the console's encoding.
  private static void echo(String[] args) {
    System.out.println("count=" + args.length);
    for (String argument : args) {
      StringBuilder units = new StringBuilder();
      for (char c : argument.toCharArray()) {
        if (units.length() > 0) units.append(' ');
        units.append(String.format("%04x", (int) c));
      }
      System.out.println("arg=" + units);
    }
    for (String option : ManagementFactory.getRuntimeMXBean().getInputArguments()) {
      System.out.println("option=" + option);
    }
    System.out.println("classpath=" + System.getProperty("java.class.path"));
    System.out.println("library=" + System.getProperty("java.library.path"));
    for (String name : new String[] {"VORN_JVM_PATH", "VORN_JVM_HOME", "PATH"}) {
      System.out.println("env." + name + "=" + System.getenv(name));
    }
    System.out.println("thread=" + Thread.currentThread().getName());
  }

  // A non-daemon thread that outlives main and leaves a file when it is done.
  private static void linger(Path marker) {
    Thread thread = new Thread(() -> {
      try {
        Thread.sleep(1500);
        Files.writeString(marker, "done");
      } catch (Exception e) {
        throw new RuntimeException(e);
      }
    });
    thread.start();
  }

  private static void recurse() {
    depth++;
    recurse();
  }

  private static int depth() {
    try {
      recurse();
    } catch (StackOverflowError e) {
      // the depth reached is the measure of the thread's stack
    }
    return depth;
  }
}
